// Tables of the person registry: the persons and their career history.
#include "registry/RegistryTables.h"

#include "platform/db/Schema.h"

void addRegistryTables(Schema& s)
{
    // Persons: athletes, coaches, referees and officials. Text sizes are the
    // most the record editor lets a user type.
    s.addTable({"C_MUSTERI",
                {
                    // Keys and numbers.
                    Col::integer("Musteri_Key"),
                    Col::text("Vergi_Numarasi", 20),
                    Col::integer("Client_Key"),
                    // Names and status.
                    Col::text("Adi", 40),
                    Col::text("Soyadi", 20),
                    Col::text("Ad_Soyad", 61),
                    Col::text("Klup_Yetkilisi", 30),
                    Col::integer("Tip"),
                    Col::text("DosyaNo", 20),
                    Col::integer("E82"),
                    // Roles, titles and belt.
                    Col::text("E43", 40),
                    Col::text("E50", 40),
                    Col::text("E52", 255),
                    Col::text("E56", 30),
                    Col::date("M5"),
                    Col::text("E51", 255),
                    Col::text("E57", 30),
                    Col::date("M6"),
                    Col::text("E25", 30),
                    Col::text("E58", 30),
                    Col::date("M7"),
                    Col::text("Stil", 30),
                    Col::memo("Stiller"),
                    Col::text("E75", 60),
                    Col::text("E74", 30),
                    Col::date("M9"),
                    // Region, club and gym.
                    Col::text("Vergi_Dairesi", 30),
                    Col::text("E16", 50),
                    Col::integer("Ferdi"),
                    Col::text("E49", 40),
                    Col::text("E48", 40),
                    // Competition data.
                    Col::text("E53", 40),
                    Col::text("E54", 40),
                    Col::text("E55", 40),
                    Col::integer("Kullanici"),
                    Col::real("E38"),
                    Col::text("E15", 20),
                    Col::date("M3"),
                    // Licence, visa years and seminar.
                    Col::text("E26", 20),
                    Col::integer("E67"),
                    Col::integer("E68"),
                    Col::integer("E77"),
                    Col::integer("E78"),
                    Col::integer("E69"),
                    Col::integer("E79"),
                    Col::integer("E80"),
                    Col::integer("E81"),
                    Col::memo("E107"),
                    Col::date("M8"),
                    // Contact.
                    Col::text("Telefonlar", 20),
                    Col::text("E10", 20),
                    Col::text("E61", 20),
                    Col::text("E62", 20),
                    Col::text("Fax", 20),
                    Col::text("E63", 40),
                    // Addresses: postal, work, home, gym; the city.
                    Col::text("Adres", 100),
                    Col::text("Sokak", 50),
                    Col::text("Mahalle", 100),
                    Col::text("No1", 50),
                    Col::text("Semt", 100),
                    Col::text("Cadde", 50),
                    Col::text("E59", 100),
                    Col::text("E60", 50),
                    Col::text("Il", 20),
                    // Civil registry data.
                    Col::text("E21", 20),
                    Col::text("E23", 20),
                    Col::text("E22", 20),
                    Col::text("E17", 20),
                    Col::text("E39", 10),
                    Col::text("E44", 10),
                    Col::text("E18", 10),
                    Col::text("E27", 20),
                    Col::text("E28", 20),
                    Col::text("E29", 20),
                    Col::text("E40", 20),
                    Col::text("E31", 8),
                    Col::text("E30", 8),
                    Col::text("E32", 8),
                    Col::text("E19", 10),
                    Col::text("E41", 12),
                    Col::date("M4"),
                    Col::text("E42", 20),
                    Col::text("E47", 20),
                    Col::text("E24", 20),
                    // Other personal data.
                    Col::text("E70", 30),
                    Col::text("E72", 100),
                    Col::text("E71", 100),
                    Col::text("E73", 100),
                    Col::text("E33", 30),
                    Col::text("E14", 50),
                    Col::text("E37", 10),
                    Col::text("E34", 10),
                    Col::text("E35", 8),
                    Col::text("E36", 8),
                    Col::text("E64", 10),
                    Col::text("E65", 8),
                    Col::text("E66", 8),
                    // Change stamps and the exam package mark.
                    Col::date("M1"),
                    Col::date("M2"),
                    Col::text("User", 80),
                    Col::integer("Terfi"),
                },
                "Musteri_Key",
                // What lists sort by, searches find by and delete guards scan.
                {"Ad_Soyad", "Vergi_Numarasi", "E42", "Vergi_Dairesi", "E16", "Client_Key", "E25", "E50", "E53",
                 "E54", "E55", "Terfi"}});

    // Career history: one row per event, keyed from the counter Sayiu and
    // tied to its person by Musteri_Key.
    s.addTable({"F_KUSAK",
                {Col::integer("Kus_Key"), Col::integer("Musteri_Key"), Col::integer("Kusak_Key"), Col::text("Stil", 30),
                 Col::text("Yer", 30), Col::date("Tarih"), Col::text("KarNo", 20), Col::text("Dip_No_Tar", 30),
                 Col::text("Dosya", 10)},
                "Kus_Key",
                {"Musteri_Key", "Kusak_Key", "KarNo"}});
    s.addTable({"F_ANT",
                {Col::integer("Ant_Key"), Col::integer("Musteri_Key"), Col::integer("Durum_Key"), Col::text("Yer", 30),
                 Col::date("Tarih"), Col::text("KarNo", 20), Col::text("Dip_No_Tar", 30), Col::text("Dosya", 10)},
                "Ant_Key",
                {"Musteri_Key", "KarNo"}});
    s.addTable({"F_HAKEM",
                {Col::integer("Hak_Key"), Col::integer("Musteri_Key"), Col::integer("Durum_Key"), Col::text("Yer", 30),
                 Col::date("Tarih"), Col::text("KarNo", 20), Col::text("Dip_No_Tar", 30), Col::text("Dosya", 10)},
                "Hak_Key",
                {"Musteri_Key", "KarNo"}});
    s.addTable({"F_DER",
                {Col::integer("Der_Key"), Col::integer("Musteri_Key"), Col::integer("Turnuva_Key"),
                 Col::integer("Durum_Key"), Col::integer("Sp_Say"), Col::integer("Derece"), Col::date("Tarih"),
                 Col::text("Odul", 30), Col::text("Gorev", 40), Col::text("Kulup", 40), Col::integer("Derece1")},
                "Der_Key",
                {"Musteri_Key", "Turnuva_Key", "Derece1"}});
    s.addTable({"F_SEM",
                {Col::integer("Sem_Key"), Col::integer("Musteri_Key"), Col::text("Seminer", 40), Col::date("BTar"),
                 Col::date("Tarih"), Col::text("Yer", 30)},
                "Sem_Key",
                {"Musteri_Key"}});
    s.addTable({"F_GOR",
                {Col::integer("Gor_Key"), Col::integer("Musteri_Key"), Col::text("Gorev", 40),
                 Col::text("Antrenor", 40)},
                "Gor_Key",
                {"Musteri_Key"}});
    s.addTable({"F_LNC",
                {Col::integer("Lnc_Key"), Col::integer("Musteri_Key"), Col::text("Lnc_No", 20),
                 Col::integer("Klup_Key"), Col::integer("Bolge_Key"), Col::date("L_Tarih"), Col::date("V_Tarih"),
                 Col::date("T_Tarih"), Col::text("Kategori", 30), Col::text("Ack", 40)},
                "Lnc_Key",
                {"Musteri_Key", "Klup_Key"}});
}

const Schema& registrySchema()
{
    static const Schema schema = [] {
        Schema s;
        addRegistryTables(s);
        return s;
    }();
    return schema;
}
