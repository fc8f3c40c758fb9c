// Tables of the application core.
#include "app/setup/SetupTables.h"

#include "platform/db/Database.h"
#include "platform/db/Schema.h"

void addAppTables(Schema& s)
{
    // The counters row: each column holds the last value handed out.
    s.addTable({"C_SAYI",
                {Col::integer("Sayi"), Col::integer("sayi_uye"), Col::integer("Sayiu"), Col::integer("sayik"),
                 Col::text("SonSicil", 10), Col::integer("sayi1"), Col::integer("sayi2"), Col::integer("sayi3"),
                 Col::text("OzelKod", 10)},
                {},
                {}});
    // One row naming the database kind: "ACCESS" or "SQLSERVER".
    s.addTable({"C_DATABASE", {Col::text("DBName", 20)}, {}, {}});
    // Users.
    s.addTable({"C_SIFRE",
                {Col::integer("Key_No"), Col::text("Tip", 20), Col::text("Ad", 50), Col::text("Sifre", 20),
                 Col::text("R/F", 5)},
                "Key_No",
                {}});
    // One row of federation identity: name, sport, postal address (its lines
    // separated by line breaks).
    s.addTable({"C_YAZILAR", {Col::text("FirmaAdi", 70), Col::text("Ihbar", 50), Col::text("Adres", 254)}, {}, {}});
}

void seedAppRows(Database& db)
{
    db.insert("C_SAYI", {{"Sayi", 1}, {"sayi_uye", 0}, {"Sayiu", 0}, {"sayik", 1}, {"SonSicil", "0000000"},
                         {"sayi1", 0}, {"sayi2", 0}, {"sayi3", 0}, {"OzelKod", ""}});
    db.insert("C_DATABASE", {{"DBName", "ACCESS"}});
    db.insert("C_SIFRE", {{"Key_No", 1}, {"Tip", "Sistem Sorumlusu"}, {"Ad", kInitialAdminName},
                          {"Sifre", kInitialAdminPassword}, {"R/F", "YOK"}});
    db.insert("C_YAZILAR", {{"FirmaAdi", "KICK BOKS FEDERASYONU"}, {"Ihbar", "KICK BOKS"}, {"Adres", ""}});
}
