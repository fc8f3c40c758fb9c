// Tables of competition preparation.
#include "competition/CompetitionTables.h"

#include "platform/db/Database.h"
#include "platform/db/Schema.h"

void addCompetitionTables(Schema& s)
{
    // Weigh-in lists: one row per athlete and weight class (plus the draw's
    // filler rows while a draw runs). Onay 1 accepted, 0 disqualified.
    s.addTable({"C_LISTE",
                {Col::integer("Liste_Key"),
                 Col::text("Brans", 40),
                 Col::integer("Onay"),
                 Col::text("Ad", 40),
                 Col::integer("Sira"),
                 Col::integer("Musteri_Key"),
                 Col::text("Bolge", 40),
                 Col::text("BolgeK", 20),
                 Col::text("Klup", 50),
                 Col::text("Takim", 50),
                 Col::text("Cinsiyet", 20),
                 Col::real("Kilo"),
                 Col::real("TartilanKilo"),
                 Col::date("Tarih"),
                 Col::integer("Puan")},
                "Liste_Key",
                // A draw group (class and gender), an athlete's rows, a back number.
                {"Brans,Cinsiyet", "Musteri_Key", "Sira"}});

    // Tournament kinds of the weigh-in: the kind's name (shown followed by
    // " ŞAMP.") and its mode, read as text: "0" club, "1" team, "2" team
    // with grade.
    s.addTable({"C_KL_BL", {Col::integer("Key_No"), Col::text("Klup_Bolge", 50), Col::text("check", 1)}, "Key_No", {}});
}

void seedCompetitionRows(Database& db)
{
    // The weigh-in preferences start on kind 1.
    struct Kind {
        int key;
        const char* name;
        const char* mode;
    };
    const Kind kinds[] = {
        {1, "KULÜPLER ARASI", "0"},
        {2, "TAKIMLAR ARASI", "1"},
        {3, "DERECELİ TAKIMLAR ARASI", "2"},
    };
    Transaction tx(db);
    for (const Kind& k : kinds)
        db.insert("C_KL_BL", {{"Key_No", k.key}, {"Klup_Bolge", QString::fromUtf8(k.name)}, {"check", k.mode}});
    tx.commit();
}
