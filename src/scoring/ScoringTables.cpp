// Tables of the draw and live scoring.
#include "scoring/ScoringTables.h"

#include "platform/db/Schema.h"

void addScoringTables(Schema& s)
{
    // Bouts: one row per bout of a category (Brans + Cinsiyet). Columns
    // ending in 1 describe the blue corner, those ending in 2 the red one.
    // Empty kinds (Tip), places (Derece), back numbers and feeding-bout keys
    // are stored as no value; emptied texts as "".
    s.addTable({"C_KURA",
                {Col::integer("Kura_Key"),
                 Col::text("Brans", 40),
                 Col::text("Cinsiyet", 20),
                 Col::text("Ad1", 40),
                 Col::text("Ad2", 40),
                 Col::text("Bolge1", 20),
                 Col::text("Bolge2", 20),
                 Col::text("Klup1", 40),
                 Col::text("Klup2", 40),
                 Col::text("Tip1", 10),
                 Col::text("Tip2", 10),
                 Col::integer("Sira1"),
                 Col::integer("Sira2"),
                 Col::text("Grup", 20),
                 Col::text("Tur", 20),
                 Col::text("Sira", 20),
                 Col::text("Salon", 40),
                 Col::text("Galip", 40),
                 Col::text("Tar_Saat", 40),
                 Col::text("Skor", 40),
                 Col::text("Hakem", 40),
                 Col::date("Tarih"),
                 Col::integer("Derece1"),
                 Col::integer("Derece2"),
                 Col::integer("Tur_Key1"),
                 Col::integer("Tur_Key2"),
                 Col::integer("Puan1"),
                 Col::integer("Puan2"),
                 Col::integer("Foul1"),
                 Col::integer("Foul2"),
                 Col::integer("Raunt"),
                 Col::integer("Raunt_Say"),
                 Col::time("n_time"),
                 Col::time("d_time"),
                 Col::time("ex_time"),
                 Col::integer("H1M"),
                 Col::integer("H2M"),
                 Col::integer("H3M"),
                 Col::integer("H1K"),
                 Col::integer("H2K"),
                 Col::integer("H3K"),
                 Col::integer("C1M"),
                 Col::integer("C2M"),
                 Col::integer("C3M"),
                 Col::integer("C1K"),
                 Col::integer("C2K"),
                 Col::integer("C3K"),
                 Col::text("H1", 40),
                 Col::text("H2", 40),
                 Col::text("H3", 40),
                 Col::text("R1", 50),
                 Col::text("R2", 50),
                 Col::text("R3", 50),
                 Col::text("R4", 50),
                 Col::text("Karar", 50),
                 Col::text("StartTime", 30),
                 Col::integer("Dis1"),
                 Col::integer("Dis2"),
                 Col::text("Kata1", 50),
                 Col::text("Kata2", 50)},
                "Kura_Key",
                // A category's bouts, a ring's bouts, and the bouts that hold
                // a back number (winner look-up, weigh-in checks).
                {"Brans,Cinsiyet", "Tar_Saat", "Sira1", "Sira2"}});

    // Bouts a ring computer has decided or advanced on its own database and
    // not yet copied into the main database (MainDatabaseCopy.h), in the
    // order they were written (Sira). A bout goes on this list in the
    // transaction of the decision that changed it and leaves it only once
    // the main database holds it.
    s.addTable({"C_BEKLEYEN", {Col::integer("Kura_Key"), Col::integer("Sira")}, "Kura_Key", {}});
}
