#include "app/BrivexSchema.h"
#include "app/kit/DbConventions.h"
#include "app/Main.h"
#include "app/setup/SetupTables.h"
#include "app/Sifre.h"
#include "app/Station.h"
#include "support/ColumnCheck.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

// The columns of the reference tables, the clubs and the activities as the
// program's design names them, with the kind of value each holds.
class ReferenceColumns : public StationTest, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(ReferenceColumns, NewStationHasTheColumn)
{
    expectColumn(db, GetParam());
}

using namespace ColumnKinds;

INSTANTIATE_TEST_SUITE_P(
    Tables, ReferenceColumns,
    ::testing::Values(
        // Federation identity.
        ColumnCase{"C_YAZILAR", "FirmaAdi", T}, ColumnCase{"C_YAZILAR", "Ihbar", T},
        ColumnCase{"C_YAZILAR", "Adres", T},
        // Regions.
        ColumnCase{"C_UYELIKTURU", "Durum_Key", I}, ColumnCase{"C_UYELIKTURU", "Durum", T},
        ColumnCase{"C_UYELIKTURU", "Tip1", T}, ColumnCase{"C_UYELIKTURU", "Tip2", T},
        ColumnCase{"C_UYELIKTURU", "Tip3", T}, ColumnCase{"C_UYELIKTURU", "BolgeK", T},
        // Person statuses and titles.
        ColumnCase{"C_UYEKULLANICI", "Durum_Key", I}, ColumnCase{"C_UYEKULLANICI", "Durum", T},
        ColumnCase{"C_UYEKULLANICI", "Tip1", T}, ColumnCase{"C_UYEKULLANICI", "Tip2", T},
        // Weight categories and category names.
        ColumnCase{"C_BRANS", "Durum_Key", I}, ColumnCase{"C_BRANS", "Durum", T}, ColumnCase{"C_BRANS", "Kilo", N},
        ColumnCase{"C_BRANS", "AltKilo", N}, ColumnCase{"C_BRANS", "UstKilo", N}, ColumnCase{"C_BRANS", "E_B", T},
        ColumnCase{"C_BRANS", "Web", T}, ColumnCase{"C_BRANS", "Dt1", D}, ColumnCase{"C_BRANS", "Dt2", D},
        ColumnCase{"C_BRANSADI", "Durum_Key", I}, ColumnCase{"C_BRANSADI", "Durum", T},
        ColumnCase{"C_BRANSADI", "Yas1", I}, ColumnCase{"C_BRANSADI", "Yas2", I},
        // Activity types, belts, styles, letter texts.
        ColumnCase{"C_TURTURU", "Tur_Key", I}, ColumnCase{"C_TURTURU", "Turu", T},
        ColumnCase{"C_TURTURU", "Tipi", T}, ColumnCase{"KUSAK", "Kusak_Key", I},
        ColumnCase{"KUSAK", "Kusak_Adi", T}, ColumnCase{"STIL", "Stil_Key", I}, ColumnCase{"STIL", "Stil", T},
        ColumnCase{"METINLER", "Met_Key", I}, ColumnCase{"METINLER", "Met_Adi", T},
        // Clubs.
        ColumnCase{"C_UYELIKSURESI", "Durum_Key", I}, ColumnCase{"C_UYELIKSURESI", "Durum", T},
        ColumnCase{"C_UYELIKSURESI", "Ad_Soyad", T}, ColumnCase{"C_UYELIKSURESI", "Telefonlar", T},
        ColumnCase{"C_UYELIKSURESI", "E3", T}, ColumnCase{"C_UYELIKSURESI", "E4", T},
        ColumnCase{"C_UYELIKSURESI", "Fax", T}, ColumnCase{"C_UYELIKSURESI", "E1", T},
        ColumnCase{"C_UYELIKSURESI", "Cadde", T}, ColumnCase{"C_UYELIKSURESI", "Sokak", T},
        ColumnCase{"C_UYELIKSURESI", "No1", T}, ColumnCase{"C_UYELIKSURESI", "Ilce", T},
        ColumnCase{"C_UYELIKSURESI", "PostaKodu", T}, ColumnCase{"C_UYELIKSURESI", "Il", T},
        ColumnCase{"C_UYELIKSURESI", "E2", T}, ColumnCase{"C_UYELIKSURESI", "Salon", I},
        ColumnCase{"C_UYELIKSURESI", "Faal", T}, ColumnCase{"C_UYELIKSURESI", "Sira", I},
        ColumnCase{"C_UYELIKSURESI", "E5", T}, ColumnCase{"C_UYELIKSURESI", "E6", T},
        // Activities and point values.
        ColumnCase{"C_TURNUVA", "Turnuva_Key", I}, ColumnCase{"C_TURNUVA", "Adi", T},
        ColumnCase{"C_TURNUVA", "Tur_Key", I}, ColumnCase{"C_TURNUVA", "Durum_Key", I},
        ColumnCase{"C_TURNUVA", "Yer", T}, ColumnCase{"C_TURNUVA", "Tarih1", D}, ColumnCase{"C_TURNUVA", "Tarih2", D},
        ColumnCase{"C_TURNUVA", "Ulke_Say", I}, ColumnCase{"C_TURNUVA", "Sporcu_Say", I},
        ColumnCase{"C_TURNUVA", "Erkek_Deg", I}, ColumnCase{"C_TURNUVA", "Bayan_Deg", I},
        ColumnCase{"C_TURNUVA", "Takim_Deg", I}, ColumnCase{"C_TURNUVA", "Web_Tar", D},
        ColumnCase{"C_TURNUVA", "Kusak_Key", I}, ColumnCase{"C_TURNUVA", "WebBr_Key", T},
        ColumnCase{"C_TURNUVA", "Dt1", D}, ColumnCase{"C_TURNUVA", "Dt2", D}, ColumnCase{"C_TURNUVA", "Yili", I},
        ColumnCase{"C_PUAN", "Puani", I}),
    columnCaseName);

class StationSeed : public StationTest {
protected:
    QStringList strings(const QString& sql, const QVariantMap& params = {})
    {
        QStringList out;
        for (const Record& r : db.select(sql, params))
            out << r.value(0).toString();
        return out;
    }
    int count(const QString& sql, const QVariantMap& params = {})
    {
        return db.scalar(sql, params).toInt();
    }
};

TEST_F(StationSeed, ReservedRowsAreThereAndHiddenFromTheScreensLists)
{
    // The club that stands for no club; the club screens list keys above 1.
    EXPECT_EQ(count("select count(*) from C_UYELIKSURESI where Durum_Key = 1"), 1);
    EXPECT_EQ(count("select count(*) from C_UYELIKSURESI where Durum_Key > 1"), 0);
    // The activity that holds penalties; the activity screens list keys above 1.
    EXPECT_EQ(count("select count(*) from C_TURNUVA where Turnuva_Key = 1"), 1);
    EXPECT_EQ(count("select count(*) from C_TURNUVA where Turnuva_Key > 1"), 0);
    // Category name 1 stands for all, 2 is the activities' "-".
    EXPECT_EQ(strings("select Durum from C_BRANSADI where Durum_Key = 2"), QStringList({"-"}));
    EXPECT_EQ(count("select count(*) from C_BRANSADI where Durum_Key = 1"), 1);
    // Weight category 1 is the class "-" that duty rows and dropped classes use.
    EXPECT_EQ(strings("select Durum from C_BRANS where Durum_Key = 1"), QStringList({"-"}));
    EXPECT_EQ(count("select count(*) from C_BRANS where Durum_Key > 1"), 0);
}

TEST_F(StationSeed, CategoryNamesAreOfferedAboveKeyTwoAndCountAsLevels)
{
    const QStringList offered = strings("select Durum from C_BRANSADI where Durum_Key > 2 order by Durum_Key");
    for (const char* name : {"BÜYÜKLER", "GENÇLER", "YILDIZLAR", "MİNİKLER"})
        EXPECT_TRUE(offered.contains(QString::fromUtf8(name))) << name;
    // The statistics report takes its levels from the keys from 10 up.
    EXPECT_EQ(strings("select Durum from C_BRANSADI where Durum_Key >= 10 order by Durum_Key"), offered);
    for (const Record& r : db.select("select * from C_BRANSADI where Durum_Key > 2"))
        EXPECT_LE(r.toInt("Yas1"), r.toInt("Yas2")) << r.str("Durum").toStdString();
}

TEST_F(StationSeed, PointValuesAreSixRows)
{
    const Records rows = db.select("select Puani from C_PUAN");
    ASSERT_EQ(rows.size(), 6);
    for (const Record& r : rows)
        EXPECT_GE(r.toInt("Puani"), 0);
}

TEST_F(StationSeed, EveryKindOfStatusCanBeChosen)
{
    // The lists of the person editor offer keys above 1 per kind.
    for (const char* kind : {"S", "H", "A", "D"})
        EXPECT_GT(count("select count(*) from C_UYEKULLANICI where tip2 = :k and Durum_Key > 1", {{"k", kind}}), 0)
            << kind;
    // The quick registration and the exam import write "SPORCU" as the athlete status.
    EXPECT_EQ(strings("select Tip2 from C_UYEKULLANICI where Durum = 'SPORCU'"), QStringList({"S"}));
}

TEST_F(StationSeed, RegionsAreTheProvincesWithTheirCodes)
{
    const Records regions = db.select("select * from C_UYELIKTURU order by Durum_Key");
    ASSERT_EQ(regions.size(), 81);
    QSet<QString> codes, shortNames, names;
    static const QRegularExpression twoDigits("^[0-9]{2}$");
    for (const Record& r : regions) {
        EXPECT_LT(r.toInt("Durum_Key"), 101) << "home regions have keys below 101";
        EXPECT_TRUE(twoDigits.match(r.str("Tip1")).hasMatch()) << r.str("Durum").toStdString();
        EXPECT_NE(r.str("Tip1"), "00") << "a province is no country";
        EXPECT_EQ(r.str("Durum"), r.str("Durum").toUpper());
        EXPECT_FALSE(r.str("BolgeK").isEmpty());
        codes << r.str("Tip1");
        shortNames << r.str("BolgeK");
        names << r.str("Durum");
    }
    EXPECT_EQ(codes.size(), 81);
    EXPECT_EQ(shortNames.size(), 81);
    EXPECT_EQ(names.size(), 81);
    // The licence numbers of the quick registration begin with these codes.
    EXPECT_EQ(strings("select Tip1 from C_UYELIKTURU where Durum = 'ANKARA'"), QStringList({"06"}));
    EXPECT_EQ(strings("select Tip1 from C_UYELIKTURU where Durum = 'İSTANBUL'"), QStringList({"34"}));
}

TEST_F(StationSeed, BeltsAndActivityTypesAreReady)
{
    // "select * from KUSAK" returns the belts in rank (key) order.
    QList<int> stored;
    for (const Record& r : db.select("select * from KUSAK"))
        stored << r.toInt("Kusak_Key");
    ASSERT_GE(stored.size(), 2);
    QList<int> sorted = stored;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(stored, sorted);

    EXPECT_GT(count("select count(*) from C_TURTURU"), 0);
    EXPECT_EQ(count("select count(*) from C_TURTURU where Tipi <> 'ULUSAL' and Tipi <> 'ULUSLAR ARASI'"), 0);
    EXPECT_EQ(count("select count(*) from (select Turu from C_TURTURU group by Turu having count(*) > 1)"), 0);
}

TEST_F(StationSeed, CountersStandPastEverySeededKey)
{
    const int sayi = Counters::current(db, "Sayi");
    for (const char* sql : {"select max(Durum_Key) from C_UYELIKTURU", "select max(Durum_Key) from C_UYEKULLANICI",
                            "select max(Durum_Key) from C_BRANS", "select max(Durum_Key) from C_BRANSADI",
                            "select max(Kusak_Key) from KUSAK", "select max(Tur_Key) from C_TURTURU",
                            "select max(Turnuva_Key) from C_TURNUVA", "select max(Key_No) from C_SIFRE"})
        EXPECT_GE(sayi, count(sql)) << sql;
    EXPECT_GE(sayi, 100) << "a region added later is not taken for a province";
    EXPECT_GE(Counters::current(db, "sayik"), count("select max(Durum_Key) from C_UYELIKSURESI"));

    // The next reference key is free in every table that shares the counter.
    const int key = Counters::next(db, "Sayi");
    for (const char* sql : {"select count(*) from C_UYELIKTURU where Durum_Key = :k",
                            "select count(*) from C_UYEKULLANICI where Durum_Key = :k",
                            "select count(*) from C_BRANSADI where Durum_Key = :k",
                            "select count(*) from KUSAK where Kusak_Key = :k",
                            "select count(*) from C_TURTURU where Tur_Key = :k"})
        EXPECT_EQ(count(sql, {{"k", key}}), 0) << sql;
}

// An older station file made with the core tables only gets the register,
// the reference data tables and the activity query when a user logs in.
class OlderStation : public ScreensTest {};

TEST_F(OlderStation, GetsTheNewTablesAtLogin)
{
    db.close();
    const QString file = host(Station::kDefaultDatabase);
    ASSERT_TRUE(QFile::remove(file));
    {
        Database old;
        old.open(Station::kDefaultDatabase, false);
        Schema core;
        addAppTables(core);
        core.create(old);
        seedAppRows(old);
    }
    ASSERT_TRUE(login(kInitialAdminName, kInitialAdminPassword));

    db.open(Station::kDefaultDatabase);
    for (const TableDef& t : brivexSchema().tables()) {
        ASSERT_TRUE(db.hasTable(t.name)) << t.name.toStdString();
        const QStringList columns = db.columns(t.name);
        for (const ColumnDef& c : t.columns)
            EXPECT_TRUE(columns.contains(c.name, Qt::CaseInsensitive))
                << t.name.toStdString() << "." << c.name.toStdString();
    }
    EXPECT_NO_THROW(db.select("select Ad_Soyad, Adi, Turu, Tipi, Durum, Durum1 from TURSORGU"));
    // The users are kept.
    EXPECT_EQ(db.scalar("select Ad from C_SIFRE where Key_No = 1").toString(), kInitialAdminName);
}

} // namespace
