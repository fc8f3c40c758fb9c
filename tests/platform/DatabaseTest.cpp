#include "platform/db/Database.h"
#include "platform/db/Schema.h"
#include "platform/db/SqlFunctions.h"
#include "platform/paths/DriveMap.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        DriveMap::setDataRoot(dir.path());
        db.open("C:\\CO\\test.mdb", false);
        Schema s;
        s.addTable({"C_KISI",
                    {Col::integer("Key_No"), Col::text("Ad"), Col::date("Tarih"), Col::boolean("Ferdi"),
                     Col::real("Kilo")},
                    "Key_No",
                    {}});
        s.create(db);
    }
    QStringList names(const QString& sql, const QVariantMap& params = {})
    {
        QStringList out;
        for (const Record& r : db.select(sql, params))
            out << r.str("Ad");
        return out;
    }
    QTemporaryDir dir;
    Database db;
};

TEST_F(DatabaseTest, NameWithApostropheIsStoredAndFound)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "O'NEIL"}});
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "ALİ"}});
    const auto row = db.first("select * from C_KISI where Ad = :ad", {{"ad", "O'NEIL"}});
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->toInt("key_no"), 1);
    EXPECT_EQ(db.exec("delete * from C_KISI where Ad = :ad", {{"ad", "O'NEIL"}}), 1);
    EXPECT_EQ(db.scalar("select count(*) from C_KISI").toInt(), 1);
}

TEST_F(DatabaseTest, TextSortsInTurkishOrder)
{
    const QStringList typed = {"ÜMİT", "UĞUR", "ŞEVKİ", "SERKAN", "ÖMER", "OSMAN", "İSMAİL", "IŞIL", "HAKAN",
                               "ĞÜLŞEN", "GÖKHAN", "ÇETİN", "CEM", "ZEKİ", "AHMET"};
    int key = 0;
    for (const QString& n : typed)
        db.insert("C_KISI", {{"Key_No", ++key}, {"Ad", n}});
    EXPECT_EQ(names("select Ad from C_KISI order by Ad"),
              QStringList({"AHMET", "CEM", "ÇETİN", "GÖKHAN", "ĞÜLŞEN", "HAKAN", "IŞIL", "İSMAİL", "OSMAN", "ÖMER",
                           "SERKAN", "ŞEVKİ", "UĞUR", "ÜMİT", "ZEKİ"}));
}

TEST_F(DatabaseTest, TextComparesWithoutRegardToCaseTheTurkishWay)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "İSMAİL IŞIK"}});
    EXPECT_EQ(names("select Ad from C_KISI where Ad = :a", {{"a", "ismail ışık"}}), QStringList({"İSMAİL IŞIK"}));
    EXPECT_EQ(names("select Ad from C_KISI where Ad like :a", {{"a", "%ışık"}}), QStringList({"İSMAİL IŞIK"}));
    // Dotless and dotted i are different letters.
    EXPECT_TRUE(names("select Ad from C_KISI where Ad = :a", {{"a", "ISMAIL IŞIK"}}).isEmpty());
}

TEST_F(DatabaseTest, DatesAreStoredAsIsoTextAndCompareAsDates)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "A"}, {"Tarih", QDate(2009, 3, 5)}});
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "B"}, {"Tarih", QDate(2010, 1, 31)}});
    EXPECT_EQ(db.scalar("select Tarih from C_KISI where Key_No = 1").toString(), "2009-03-05");
    EXPECT_EQ(names("select Ad from C_KISI where Tarih > #03/05/2009#"), QStringList({"B"}));
    EXPECT_EQ(db.first("select * from C_KISI where Key_No = 2")->date("Tarih"), QDate(2010, 1, 31));
    EXPECT_EQ(db.scalar("select Year(Tarih) from C_KISI where Key_No = 2").toInt(), 2010);
}

TEST_F(DatabaseTest, JetFunctionsAndBooleans)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "KARA"}, {"Ferdi", true}, {"Kilo", 72.5}});
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "AK"}, {"Ferdi", false}});
    EXPECT_EQ(names("select Ad from C_KISI where Ferdi = True"), QStringList({"KARA"}));
    const Record r = *db.first("select Mid(Ad, 2, 2) as m, Len(Ad) as l, IIf(Ferdi, 'E', 'H') as f, "
                               "Nz(Tarih, 'yok') as t, Val('12.5 kg') as v, UCase('çiğdem') as u, "
                               "Ad & '-' & Key_No as j from C_KISI where Key_No = 1");
    EXPECT_EQ(r.str("m"), "AR");
    EXPECT_EQ(r.toInt("l"), 4);
    EXPECT_EQ(r.str("f"), "E");
    EXPECT_EQ(r.str("t"), "yok");
    EXPECT_DOUBLE_EQ(r.toDouble("v"), 12.5);
    EXPECT_EQ(r.str("u"), "ÇİĞDEM");
    EXPECT_EQ(r.str("j"), "KARA-1");
    EXPECT_EQ(db.first("select * from C_KISI where Key_No = 1")->str("Kilo"), "72.5");
    // Counting with a two-argument IIf counts the rows whose condition holds.
    EXPECT_EQ(db.scalar("select Count(IIf(Ferdi = True, 1)) from C_KISI").toInt(), 1);
}

TEST_F(DatabaseTest, TransactionRollsBackOnError)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "A"}});
    try {
        Transaction tx(db);
        db.insert("C_KISI", {{"Key_No", 2}, {"Ad", "B"}});
        db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "DUPLICATE"}});
        tx.commit();
        FAIL() << "a duplicate key must fail";
    } catch (const DbError&) {
    }
    EXPECT_EQ(names("select Ad from C_KISI order by Key_No"), QStringList({"A"}));
}

TEST_F(DatabaseTest, ErrorsCarryTheEngineMessage)
{
    try {
        db.select("select * from NO_SUCH_TABLE");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("NO_SUCH_TABLE")) << e.message().toStdString();
    }
    EXPECT_THROW(db.select("select * from C_KISI where Ad = :missing"), DbError);
}

TEST_F(DatabaseTest, UpgradeAddsMissingTablesAndColumnsOnly)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "A"}});
    Schema later;
    later.addTable({"C_KISI", {Col::integer("Key_No"), Col::text("Ad"), Col::text("Il")}, "Key_No", {}});
    later.addTable({"C_YENI", {Col::integer("Yeni_Key")}, "Yeni_Key", {}});
    const QStringList added = later.upgrade(db);
    EXPECT_EQ(added, QStringList({"C_KISI.Il", "C_YENI"}));
    EXPECT_EQ(db.scalar("select Ad from C_KISI").toString(), "A");
    EXPECT_TRUE(later.upgrade(db).isEmpty());
}

TEST_F(DatabaseTest, ColumnsNamedLikeSqlWordsWork)
{
    Schema s;
    s.addTable({"C_KL", {Col::integer("Key_No"), Col::integer("check"), Col::text("R/F")}, "Key_No", {"check"}});
    s.create(db);
    db.insert("C_KL", {{"Key_No", 1}, {"check", 1}, {"R/F", "VAR"}});
    db.update("C_KL", {{"check", 0}}, "Key_No = :k", {{"k", 1}});
    const Record r = *db.first("select * from C_KL");
    EXPECT_EQ(r.toInt("check"), 0);
    EXPECT_EQ(r.str("R/F"), "VAR");
}

TEST_F(DatabaseTest, UpgradeRemakesAViewOnlyWhenItsDefinitionChanged)
{
    Schema s;
    s.addTable({"C_KISI", {Col::integer("Key_No"), Col::text("Ad")}, "Key_No", {}});
    s.addView({"V_KISI", "select [Key_No], Ad & '.' as Nokta from C_KISI where Ad <> \"-\""});
    s.upgrade(db);
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ALİ"}});
    EXPECT_EQ(db.scalar("select Nokta from V_KISI").toString(), "ALİ.");
    // Every change of the schema counts up its version.
    const auto version = [&] { return db.scalar("pragma schema_version").toInt(); };
    const int before = version();
    EXPECT_TRUE(s.upgrade(db).isEmpty());
    EXPECT_EQ(version(), before) << "an unchanged view is left alone";
    Schema later = s;
    later.addView({"V_KISI", "select [Key_No], Ad & '!' as Nokta from C_KISI"});
    later.upgrade(db);
    EXPECT_GT(version(), before);
    EXPECT_EQ(db.scalar("select Nokta from V_KISI").toString(), "ALİ!");
}

// select() reads its rows from the engine directly: every value comes out
// as the driver's own reading gives it (same type, same value), NULLs and
// blobs and Turkish text included.
TEST_F(DatabaseTest, SelectGivesTheValuesTheDriverGives)
{
    db.insert("C_KISI", {{"Key_No", 1}, {"Ad", "ŞÜKRÜ ÖZGÜR"}, {"Tarih", QDate(2009, 3, 5)}, {"Ferdi", true},
                         {"Kilo", 56.5}});
    db.insert("C_KISI", {{"Key_No", 2}, {"Ad", ""}, {"Kilo", 60}});
    db.insert("C_KISI", {{"Key_No", 3}});
    const QString sql = "select Key_No, Ad, Tarih, Ferdi, Kilo, Kilo * 2 as Twice, Null as Bos, "
                        "cast('ab' as blob) as Bytes, Len(Ad) as Uzunluk from C_KISI order by Key_No";
    const Records rows = db.select(sql);
    QSqlQuery q = db.run(sql);
    int n = 0;
    while (q.next()) {
        ASSERT_LT(n, rows.size());
        const Record& r = rows[n];
        ASSERT_EQ(r.fieldNames().size(), q.record().count());
        for (int i = 0; i < q.record().count(); ++i) {
            const QVariant driver = q.value(i);
            EXPECT_EQ(r.value(i).metaType(), driver.metaType()) << "row " << n << " column " << i;
            EXPECT_EQ(r.value(i).isNull(), driver.isNull()) << "row " << n << " column " << i;
            EXPECT_EQ(r.value(i), driver) << "row " << n << " column " << i;
        }
        ++n;
    }
    EXPECT_EQ(n, 3);
    EXPECT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].str("Ad"), "ŞÜKRÜ ÖZGÜR");
    EXPECT_TRUE(db.select("select * from C_KISI where Key_No = 99").isEmpty());
}

// A failure on a later row (a function refusing its value) ends the select
// with the error; no list cut short is handed back.
TEST_F(DatabaseTest, AFailureOnALaterRowIsAnError)
{
    for (int i = 1; i <= 3; ++i)
        db.insert("C_KISI", {{"Key_No", i}, {"Kilo", i == 3 ? 2000000000.0 : double(i)}});
    try {
        db.select("select Key_No, Space(Kilo) as Bosluk from C_KISI order by Key_No");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("Space: sayı sınırların dışında (taşma)")) << qPrintable(e.message());
    }
    EXPECT_EQ(db.select("select Key_No from C_KISI").size(), 3) << "the statement works again after it";
}

TEST_F(DatabaseTest, OpeningAMissingFileFails)
{
    Database other;
    EXPECT_THROW(other.open("C:\\CO\\yok.mdb"), DbError);
    EXPECT_FALSE(other.isOpen());
}

struct LikeCase {
    const char* pattern;
    const char* text;
    bool match;
};
class LikeTest : public ::testing::TestWithParam<LikeCase> {};
TEST_P(LikeTest, MatchesTheJetWay)
{
    EXPECT_EQ(SqlFunctions::like(QString::fromUtf8(GetParam().pattern), QString::fromUtf8(GetParam().text)),
              GetParam().match);
}
INSTANTIATE_TEST_SUITE_P(Patterns, LikeTest,
                         ::testing::Values(LikeCase{"%57 KG ERKEK BÜYÜKLER", "-57 KG ERKEK BÜYÜKLER", true},
                                           LikeCase{"%BÜYÜKLER", "-57 KG ERKEK GENÇLER", false},
                                           LikeCase{"a_i%", "AYILE", false},
                                           LikeCase{"a_i%", "ALİ", true},
                                           LikeCase{"%", "", true},
                                           LikeCase{"12.03%", "12.03.2009 RING 1", true},
                                           LikeCase{"şule", "ŞULE", true},
                                           LikeCase{"ı%", "IŞIK", true},
                                           LikeCase{"i%", "IŞIK", false}));

} // namespace
