#include "app/BrivexSchema.h"
#include "app/kit/DbConventions.h"
#include "support/ColumnCheck.h"
#include "support/TestSupport.h"

#include <QDate>

namespace {

// The columns of the persons and their career tables as the program's design
// names them (the person table's own columns and those the weigh-in, the
// results posting and the data exchange write), by kind of value.
class RegistryColumns : public StationTest, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(RegistryColumns, NewStationHasTheColumn)
{
    expectColumn(db, GetParam());
}

using namespace ColumnKinds;

// Persons, column groups as the person table lists them.
const ColumnCase kPersonColumns[] = {
    {"C_MUSTERI", "Musteri_Key", I}, {"C_MUSTERI", "Vergi_Numarasi", T}, {"C_MUSTERI", "Client_Key", I},
    // names and status
    {"C_MUSTERI", "Adi", T}, {"C_MUSTERI", "Soyadi", T}, {"C_MUSTERI", "Ad_Soyad", T},
    {"C_MUSTERI", "Klup_Yetkilisi", T}, {"C_MUSTERI", "Tip", I}, {"C_MUSTERI", "DosyaNo", T},
    {"C_MUSTERI", "E82", I},
    // roles, titles and belt
    {"C_MUSTERI", "E43", T}, {"C_MUSTERI", "E50", T}, {"C_MUSTERI", "E52", T}, {"C_MUSTERI", "E56", T},
    {"C_MUSTERI", "M5", D}, {"C_MUSTERI", "E51", T}, {"C_MUSTERI", "E57", T}, {"C_MUSTERI", "M6", D},
    {"C_MUSTERI", "E25", T}, {"C_MUSTERI", "E58", T}, {"C_MUSTERI", "M7", D}, {"C_MUSTERI", "Stil", T},
    {"C_MUSTERI", "Stiller", T}, {"C_MUSTERI", "E75", T}, {"C_MUSTERI", "E74", T}, {"C_MUSTERI", "M9", D},
    // region, club and gym
    {"C_MUSTERI", "Vergi_Dairesi", T}, {"C_MUSTERI", "E16", T}, {"C_MUSTERI", "Ferdi", I},
    {"C_MUSTERI", "E49", T}, {"C_MUSTERI", "E48", T},
    // competition data
    {"C_MUSTERI", "E53", T}, {"C_MUSTERI", "E54", T}, {"C_MUSTERI", "E55", T}, {"C_MUSTERI", "Kullanici", I},
    {"C_MUSTERI", "E38", N}, {"C_MUSTERI", "E15", T}, {"C_MUSTERI", "M3", D},
    // licence, visa years and seminar
    {"C_MUSTERI", "E26", T}, {"C_MUSTERI", "E67", I}, {"C_MUSTERI", "E68", I}, {"C_MUSTERI", "E77", I},
    {"C_MUSTERI", "E78", I}, {"C_MUSTERI", "E69", I}, {"C_MUSTERI", "E79", I}, {"C_MUSTERI", "E80", I},
    {"C_MUSTERI", "E81", I}, {"C_MUSTERI", "E107", T}, {"C_MUSTERI", "M8", D},
    // contact
    {"C_MUSTERI", "Telefonlar", T}, {"C_MUSTERI", "E10", T}, {"C_MUSTERI", "E61", T}, {"C_MUSTERI", "E62", T},
    {"C_MUSTERI", "Fax", T}, {"C_MUSTERI", "E63", T},
    // addresses
    {"C_MUSTERI", "Adres", T}, {"C_MUSTERI", "Sokak", T}, {"C_MUSTERI", "Mahalle", T}, {"C_MUSTERI", "No1", T},
    {"C_MUSTERI", "Semt", T}, {"C_MUSTERI", "Cadde", T}, {"C_MUSTERI", "E59", T}, {"C_MUSTERI", "E60", T},
    // civil registry data
    {"C_MUSTERI", "E21", T}, {"C_MUSTERI", "E23", T}, {"C_MUSTERI", "E22", T}, {"C_MUSTERI", "E17", T},
    {"C_MUSTERI", "E39", T}, {"C_MUSTERI", "E44", T}, {"C_MUSTERI", "E18", T}, {"C_MUSTERI", "E27", T},
    {"C_MUSTERI", "E28", T}, {"C_MUSTERI", "E29", T}, {"C_MUSTERI", "E40", T}, {"C_MUSTERI", "E31", T},
    {"C_MUSTERI", "E30", T}, {"C_MUSTERI", "E32", T}, {"C_MUSTERI", "E19", T}, {"C_MUSTERI", "E41", T},
    {"C_MUSTERI", "M4", D}, {"C_MUSTERI", "E42", T}, {"C_MUSTERI", "E47", T}, {"C_MUSTERI", "E24", T},
    // other personal data
    {"C_MUSTERI", "E70", T}, {"C_MUSTERI", "E72", T}, {"C_MUSTERI", "E71", T}, {"C_MUSTERI", "E73", T},
    {"C_MUSTERI", "E33", T}, {"C_MUSTERI", "E14", T}, {"C_MUSTERI", "E37", T}, {"C_MUSTERI", "E34", T},
    {"C_MUSTERI", "E35", T}, {"C_MUSTERI", "E36", T}, {"C_MUSTERI", "E64", T}, {"C_MUSTERI", "E65", T},
    {"C_MUSTERI", "E66", T},
    // change stamps
    {"C_MUSTERI", "M1", D}, {"C_MUSTERI", "M2", D}, {"C_MUSTERI", "User", T},
    // written by the exam package and the club files, read by the reports
    {"C_MUSTERI", "Terfi", I}, {"C_MUSTERI", "Il", T},
};

INSTANTIATE_TEST_SUITE_P(Persons, RegistryColumns, ::testing::ValuesIn(kPersonColumns), columnCaseName);

INSTANTIATE_TEST_SUITE_P(
    Career, RegistryColumns,
    ::testing::Values(
        ColumnCase{"F_KUSAK", "Kus_Key", I}, ColumnCase{"F_KUSAK", "Musteri_Key", I},
        ColumnCase{"F_KUSAK", "Kusak_Key", I}, ColumnCase{"F_KUSAK", "Stil", T}, ColumnCase{"F_KUSAK", "Yer", T},
        ColumnCase{"F_KUSAK", "Tarih", D}, ColumnCase{"F_KUSAK", "KarNo", T}, ColumnCase{"F_KUSAK", "Dip_No_Tar", T},
        ColumnCase{"F_KUSAK", "Dosya", T},
        ColumnCase{"F_ANT", "Ant_Key", I}, ColumnCase{"F_ANT", "Musteri_Key", I}, ColumnCase{"F_ANT", "Durum_Key", I},
        ColumnCase{"F_ANT", "Yer", T}, ColumnCase{"F_ANT", "Tarih", D}, ColumnCase{"F_ANT", "KarNo", T},
        ColumnCase{"F_ANT", "Dip_No_Tar", T}, ColumnCase{"F_ANT", "Dosya", T},
        ColumnCase{"F_HAKEM", "Hak_Key", I}, ColumnCase{"F_HAKEM", "Musteri_Key", I},
        ColumnCase{"F_HAKEM", "Durum_Key", I}, ColumnCase{"F_HAKEM", "Yer", T}, ColumnCase{"F_HAKEM", "Tarih", D},
        ColumnCase{"F_HAKEM", "KarNo", T}, ColumnCase{"F_HAKEM", "Dip_No_Tar", T}, ColumnCase{"F_HAKEM", "Dosya", T},
        ColumnCase{"F_DER", "Der_Key", I}, ColumnCase{"F_DER", "Musteri_Key", I},
        ColumnCase{"F_DER", "Turnuva_Key", I}, ColumnCase{"F_DER", "Durum_Key", I}, ColumnCase{"F_DER", "Sp_Say", I},
        ColumnCase{"F_DER", "Derece", I}, ColumnCase{"F_DER", "Tarih", D}, ColumnCase{"F_DER", "Odul", T},
        ColumnCase{"F_DER", "Gorev", T}, ColumnCase{"F_DER", "Kulup", T}, ColumnCase{"F_DER", "Derece1", I},
        ColumnCase{"F_SEM", "Sem_Key", I}, ColumnCase{"F_SEM", "Musteri_Key", I}, ColumnCase{"F_SEM", "Seminer", T},
        ColumnCase{"F_SEM", "BTar", D}, ColumnCase{"F_SEM", "Tarih", D}, ColumnCase{"F_SEM", "Yer", T},
        ColumnCase{"F_GOR", "Gor_Key", I}, ColumnCase{"F_GOR", "Musteri_Key", I}, ColumnCase{"F_GOR", "Gorev", T},
        ColumnCase{"F_GOR", "Antrenor", T},
        ColumnCase{"F_LNC", "Lnc_Key", I}, ColumnCase{"F_LNC", "Musteri_Key", I}, ColumnCase{"F_LNC", "Lnc_No", T},
        ColumnCase{"F_LNC", "Klup_Key", I}, ColumnCase{"F_LNC", "Bolge_Key", I}, ColumnCase{"F_LNC", "L_Tarih", D},
        ColumnCase{"F_LNC", "V_Tarih", D}, ColumnCase{"F_LNC", "T_Tarih", D}, ColumnCase{"F_LNC", "Kategori", T},
        ColumnCase{"F_LNC", "Ack", T}),
    columnCaseName);

class RegistryStation : public StationTest {};

TEST_F(RegistryStation, PersonsAndCareerRowsStartEmptyWithTheirCountersAtZero)
{
    for (const char* table : {"C_MUSTERI", "F_KUSAK", "F_ANT", "F_HAKEM", "F_DER", "F_SEM", "F_GOR", "F_LNC"})
        EXPECT_EQ(db.scalar(QString("select count(*) from %1").arg(table)).toInt(), 0) << table;
    // The first person saved gets key 1 and register number 0000001.
    EXPECT_EQ(Counters::next(db, "sayi_uye"), 1);
    EXPECT_EQ(Counters::next(db, "Sayiu"), 1);
}

// The stored activity query over persons' activity rows.
class ActivityQuery : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        // An international championship in 2009, of the category BÜYÜKLER.
        const int international =
            db.scalar("select Tur_Key from C_TURTURU where Tipi = 'ULUSLAR ARASI' order by Tur_Key").toInt();
        const int seniors = db.scalar("select Durum_Key from C_BRANSADI where Durum = 'BÜYÜKLER'").toInt();
        activity = Counters::next(db, "Sayi");
        db.insert("C_TURNUVA", {{"Turnuva_Key", activity}, {"Adi", "AVRUPA ŞAMP."}, {"Tur_Key", international},
                                {"Durum_Key", seniors}, {"Yer", "SOFYA"}, {"Tarih1", QDate(2009, 3, 5)},
                                {"Tarih2", QDate(2009, 3, 8)}, {"Ulke_Say", 30}, {"Sporcu_Say", 400},
                                {"Erkek_Deg", 2}, {"Bayan_Deg", 3}, {"Takim_Deg", 2}, {"Yili", 2009}});
        category = Counters::next(db, "Sayi");
        db.insert("C_BRANS", {{"Durum_Key", category}, {"Durum", "60 KİLO ERKEK BÜYÜKLER"}, {"AltKilo", 57.0},
                              {"UstKilo", 60.0}, {"E_B", "E"}});
        // An athlete, and a partner the pair row is linked to.
        db.insert("C_MUSTERI", {{"Musteri_Key", 1}, {"Ad_Soyad", "ALİ YILMAZ"}, {"Vergi_Numarasi", "0000001"},
                                {"Vergi_Dairesi", "ANKARA"}, {"E50", "SPORCU"}, {"E15", "ERKEK"},
                                {"E16", "ANKARA SPOR"}, {"E25", "SİYAH"}, {"E58", "ANKARA"}});
        db.insert("C_MUSTERI", {{"Musteri_Key", 2}, {"Ad_Soyad", "AYŞE KAYA"}, {"Vergi_Numarasi", "0000002"},
                                {"Vergi_Dairesi", "İZMİR"}, {"E50", "SPORCU"}, {"E15", "BAYAN"}});
        // A first place, a penalty, and a pair row of the two.
        db.insert("F_DER", {{"Der_Key", 1}, {"Musteri_Key", 1}, {"Turnuva_Key", activity}, {"Durum_Key", category},
                            {"Derece", 1}, {"Tarih", QDate(2009, 3, 8)}, {"Odul", "ALTIN"}});
        db.insert("F_DER", {{"Der_Key", 2}, {"Musteri_Key", 1}, {"Turnuva_Key", kPenaltyActivityKey},
                            {"Durum_Key", kNoWeightCategoryKey}, {"Tarih", QDate(2010, 1, 2)}, {"Gorev", "UYARI"}});
        db.insert("F_DER", {{"Der_Key", 3}, {"Musteri_Key", 1}, {"Turnuva_Key", activity}, {"Durum_Key", category},
                            {"Derece", 2}, {"Derece1", 2}, {"Kulup", "ANKARA SPOR"}, {"Gorev", "ÇİFT"},
                            {"Sp_Say", 12}});
    }

    int activity = 0;
    int category = 0;
};

TEST_F(ActivityQuery, RowCarriesPersonActivityTypeCategoryAndPartner)
{
    const auto row = db.first("select * from TURSORGU where Der_Key = 3");
    ASSERT_TRUE(row);
    const QVariantMap expected = {
        {"Musteri_Key", 1}, {"Ad_Soyad", "ALİ YILMAZ"}, {"Vergi_Numarasi", "0000001"}, {"Vergi_Dairesi", "ANKARA"},
        {"E50", "SPORCU"}, {"E15", "ERKEK"}, {"Turnuva_Key", activity}, {"Adi", "AVRUPA ŞAMP."}, {"Yer", "SOFYA"},
        {"Tarih1", "2009-03-05"}, {"Tarih2", "2009-03-08"}, {"Yili", 2009}, {"Ulke_Say", 30}, {"Sporcu_Say", 400},
        {"Erkek_Deg", 2}, {"Bayan_Deg", 3}, {"Takim_Deg", 2}, {"Tipi", "ULUSLAR ARASI"}, {"Durum", "BÜYÜKLER"},
        {"Durum1", "60 KİLO ERKEK BÜYÜKLER"}, {"Derece", 2}, {"Gorev", "ÇİFT"}, {"Kulup", "ANKARA SPOR"},
        {"Sp_Say", 12},
        // The pair list prints the partner's name and finds the partner by register number.
        {"E25", "AYŞE KAYA"}, {"E58", "0000002"}};
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        EXPECT_EQ(row->value(it.key()).toString(), it.value().toString()) << it.key().toStdString();
    EXPECT_FALSE(row->str("Turu").isEmpty());
    for (const char* column : {"E51", "E52", "E43", "Odul", "Tarih", "Tur_Key"})
        EXPECT_TRUE(row->has(column)) << column;
}

TEST_F(ActivityQuery, PenaltyRowsStayInTheQuery)
{
    const auto row = db.first("select * from TURSORGU where Turnuva_Key = 1");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->str("Gorev"), "UYARI");
    EXPECT_EQ(row->str("Durum1"), "-");
    EXPECT_EQ(row->str("E25"), "") << "a row without a partner";
}

struct StatementCase {
    const char* name;
    const char* sql;
    int rows;
};

class ActivityReports : public ActivityQuery, public ::testing::WithParamInterface<StatementCase> {};

TEST_P(ActivityReports, StatementRunsOverTheQuery)
{
    Records rows;
    ASSERT_NO_THROW(rows = db.select(QString::fromUtf8(GetParam().sql))) << GetParam().sql;
    EXPECT_EQ(rows.size(), GetParam().rows);
}

// The statements the activity query screen and its reports give, over the
// filter " where TURSORGU.Turnuva_Key > 0 ".
INSTANTIATE_TEST_SUITE_P(
    Statements, ActivityReports,
    ::testing::Values(
        StatementCase{"List",
                      "select Musteri_Key,Ad_Soyad,Vergi_dairesi,Vergi_numarasi,E50,E51,E52,E43,E15,Durum1,Adi,Durum,"
                      "Turu,Tarih1,Tarih2,Derece from TURSORGU where TURSORGU.Turnuva_Key > 0  and "
                      "TURSORGU.Tarih1 >=#03/05/2009# and TURSORGU.Tipi = 'ULUSLAR ARASI' and TURSORGU.Derece In "
                      "(1,2,3) and TURSORGU.E50 <> '' order by Ad_Soyad",
                      2},
        StatementCase{"PerActivity",
                      "select Turnuva_Key,Adi,Durum,Turu,Yer,Tarih1,Tarih2,Ulke_Say,Sporcu_Say,Takim_Deg,Erkek_Deg,"
                      "Bayan_Deg from TURSORGU where TURSORGU.Turnuva_Key > 0  group by Turnuva_Key,Adi,Durum,Turu,Yer,"
                      "Tarih1,Tarih2,Ulke_Say,Sporcu_Say,Takim_Deg,Erkek_Deg,Bayan_Deg Order By Tarih1",
                      2},
        StatementCase{"PerType",
                      "select Tur_Key,Turu,Tipi from TURSORGU where TURSORGU.Turnuva_Key > 0  group by Tur_Key,Turu,"
                      "Tipi Order By Tipi,Turu",
                      2},
        StatementCase{"PerYear",
                      "select Yili from TURSORGU where TURSORGU.Turnuva_Key > 1 group by Yili Order By Yili", 1},
        StatementCase{"RecordSheet",
                      "select * from TURSORGU where Musteri_Key = 1 and Tipi = 'ULUSLAR ARASI' order by Tarih1", 2},
        StatementCase{"PerClubAndActivity",
                      "SELECT TURSORGU.Vergi_Dairesi, C_MUSTERI.E16, TURSORGU.Adi, Count(TURSORGU.E15) AS TOPLAM "
                      "FROM TURSORGU INNER JOIN C_MUSTERI ON TURSORGU.Musteri_Key = C_MUSTERI.Musteri_Key "
                      "where TURSORGU.Turnuva_Key > 0  and TURSORGU.Turnuva_Key > 1 and (TURSORGU.Gorev is null or "
                      "TURSORGU.Gorev = \"\" or (TURSORGU.Gorev <> \"HAKEM OLARAK GÖREV YAPMIŞTIR.\" and "
                      "TURSORGU.Gorev <> \"ANTRENÖR OLARAK GÖREV YAPMIŞTIR.\")) "
                      "GROUP BY TURSORGU.Vergi_Dairesi, C_MUSTERI.E16, TURSORGU.Adi "
                      "ORDER BY TURSORGU.Vergi_Dairesi, C_MUSTERI.E16, TURSORGU.Adi",
                      1},
        StatementCase{"Pairs",
                      "Select * from TURSORGU where TURSORGU.Turnuva_Key > 0  and Turnuva_Key > 1 and Gorev <> '' "
                      "Order By Kulup,Durum1,Derece,Ad_Soyad",
                      1}),
    [](const ::testing::TestParamInfo<StatementCase>& info) { return std::string(info.param.name); });

} // namespace
