// Tables of competition preparation.
#include "app/BrivexSchema.h"

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
}
