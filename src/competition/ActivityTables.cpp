// Activities, the point values of the weigh-in and the results posting, and
// the stored activity query TURSORGU.
#include "competition/CompetitionTables.h"

#include "platform/db/Database.h"
#include "platform/db/Schema.h"

// One row per activity row of a person (F_DER), with the person's columns,
// the activity's columns, the names of the activity's type and category, the
// name of the weight category the row was won in (Durum1), and the partner a
// pair row is linked to (Derece1): the partner's name as E25 and register
// number as E58, which the pair list prints and looks the partner up by.
// Type, category, weight category and partner may be missing (the penalty
// activity, duty rows, single rows), so they are outer joins.
const char* const kActivityQuerySelect =
    "SELECT F_DER.Der_Key AS Der_Key, F_DER.Musteri_Key AS Musteri_Key, F_DER.Turnuva_Key AS Turnuva_Key, "
    "F_DER.Sp_Say AS Sp_Say, F_DER.Derece AS Derece, F_DER.Tarih AS Tarih, F_DER.Odul AS Odul, "
    "F_DER.Gorev AS Gorev, F_DER.Kulup AS Kulup, F_DER.Derece1 AS Derece1, "
    "C_MUSTERI.Ad_Soyad AS Ad_Soyad, C_MUSTERI.Vergi_Numarasi AS Vergi_Numarasi, "
    "C_MUSTERI.Vergi_Dairesi AS Vergi_Dairesi, C_MUSTERI.E50 AS E50, C_MUSTERI.E51 AS E51, "
    "C_MUSTERI.E52 AS E52, C_MUSTERI.E43 AS E43, C_MUSTERI.E15 AS E15, "
    "C_TURNUVA.Adi AS Adi, C_TURNUVA.Yer AS Yer, C_TURNUVA.Tarih1 AS Tarih1, C_TURNUVA.Tarih2 AS Tarih2, "
    "C_TURNUVA.Yili AS Yili, C_TURNUVA.Ulke_Say AS Ulke_Say, C_TURNUVA.Sporcu_Say AS Sporcu_Say, "
    "C_TURNUVA.Erkek_Deg AS Erkek_Deg, C_TURNUVA.Bayan_Deg AS Bayan_Deg, C_TURNUVA.Takim_Deg AS Takim_Deg, "
    "C_TURNUVA.Tur_Key AS Tur_Key, C_TURTURU.Turu AS Turu, C_TURTURU.Tipi AS Tipi, "
    "C_BRANSADI.Durum AS Durum, C_BRANS.Durum AS Durum1, "
    "ESI.Ad_Soyad AS E25, ESI.Vergi_Numarasi AS E58 "
    "FROM (((((F_DER INNER JOIN C_MUSTERI ON F_DER.Musteri_Key = C_MUSTERI.Musteri_Key) "
    "INNER JOIN C_TURNUVA ON F_DER.Turnuva_Key = C_TURNUVA.Turnuva_Key) "
    "LEFT JOIN C_TURTURU ON C_TURNUVA.Tur_Key = C_TURTURU.Tur_Key) "
    "LEFT JOIN C_BRANSADI ON C_TURNUVA.Durum_Key = C_BRANSADI.Durum_Key) "
    "LEFT JOIN C_BRANS ON F_DER.Durum_Key = C_BRANS.Durum_Key) "
    "LEFT JOIN C_MUSTERI AS ESI ON F_DER.Derece1 = ESI.Musteri_Key";

namespace {

// Points of a new station: participation, bye, first, second and third place,
// win. The federation changes them in the table.
const int kPointValues[] = {1, 1, 7, 5, 3, 1};

} // namespace

void addActivityTables(Schema& s)
{
    // Activities: tournaments, seminars, exams.
    s.addTable({"C_TURNUVA",
                {Col::integer("Turnuva_Key"), Col::text("Adi", 70), Col::integer("Tur_Key"), Col::integer("Durum_Key"),
                 Col::text("Yer", 50), Col::date("Tarih1"), Col::date("Tarih2"), Col::integer("Ulke_Say"),
                 Col::integer("Sporcu_Say"), Col::integer("Erkek_Deg"), Col::integer("Bayan_Deg"),
                 Col::integer("Takim_Deg"), Col::date("Web_Tar"), Col::integer("Kusak_Key"),
                 Col::text("WebBr_Key", 50), Col::date("Dt1"), Col::date("Dt2"), Col::integer("Yili")},
                "Turnuva_Key",
                {"Adi", "Tur_Key", "Durum_Key"}});
    // Point values, read in table order: participation, bye, first, second
    // and third place, win.
    s.addTable({"C_PUAN", {Col::integer("Puani")}, {}, {}});

    s.addView({"TURSORGU", kActivityQuerySelect});
}

void seedActivityRows(Database& db)
{
    Transaction tx(db);

    // Activity 1 holds the persons' penalties; it has no category and no
    // place, so its rows show by its name alone.
    const QVariant penaltyType =
        db.scalar("select Tur_Key from C_TURTURU where Turu = :t", {{"t", kPenaltyActivityType}});
    db.insert("C_TURNUVA", {{"Turnuva_Key", kPenaltyActivityKey}, {"Adi", kPenaltyActivityName},
                            {"Tur_Key", penaltyType}, {"Durum_Key", kNoCategoryKey}, {"Yer", "-"}});

    for (int points : kPointValues)
        db.insert("C_PUAN", {{"Puani", points}});

    tx.commit();
}
