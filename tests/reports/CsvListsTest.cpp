// The coach, athlete and pairs lists and the CSV files they collect: the
// bytes of each file in code page 1254, fields quoted where they hold the
// separator, a quote or a line break, CR LF line ends.
#include "RegistryFixture.h"

#include "platform/shell/Shell.h"
#include "platform/text/CodePage.h"
#include "reports/PrintMenuCA1.h"
#include "reports/PrintMenuCF1.h"
#include "reports/PrintMenuCS1.h"
#include "reports/RegistryReports.h"

#include <QFile>

using fixture::textsOf;

namespace {

QByteArray bytesOf(const QString& hostPath)
{
    QFile f(hostPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class CsvLists : public RegistryTest {
protected:
    void TearDown() override
    {
        Shell::setHook({});
        RegistryTest::TearDown();
    }
    QByteArray listFile() const { return bytesOf(host(Reports::kListCsv)); }
};

// --- Coach list ------------------------------------------------------------------------

class CoachList : public CsvLists {
protected:
    void SetUp() override
    {
        CsvLists::SetUp();
        // The visa year stored as a date text, as a year, and not at all.
        addPerson(1, {{"Adi", "MEHMET"}, {"Soyadi", "ÖZ"}, {"E15", "ERKEK"}, {"Vergi_Dairesi", "İZMİR"},
                      {"E49", "GÜÇ SALONU"}, {"E52", "1. KADEME"}, {"E69", "12.05.2010"}});
        addPerson(2, {{"Adi", "ŞÜKRÜ \"ŞİMŞEK\""}, {"Soyadi", "KAYA;ÖZ"}, {"E15", "ERKEK"},
                      {"Vergi_Dairesi", "ANKARA"}, {"E52", "2. KADEME"}, {"E69", 2010}});
        addPerson(3, {{"Adi", "AYŞE"}, {"Soyadi", "ÇELİK"}, {"E15", "BAYAN"}, {"Vergi_Dairesi", "BURSA"},
                      {"E49", "A SALONU\r\nB BLOK"}, {"E52", "3. KADEME"}});
        // Mehmet's titles: the diploma number of the highest with one.
        db.insert("F_ANT", {{"Ant_Key", 11}, {"Musteri_Key", 1}, {"Durum_Key", 2}, {"Dip_No_Tar", "D-1"}});
        db.insert("F_ANT", {{"Ant_Key", 12}, {"Musteri_Key", 1}, {"Durum_Key", 5}, {"Dip_No_Tar", "D-5"}});
        db.insert("F_ANT", {{"Ant_Key", 13}, {"Musteri_Key", 1}, {"Durum_Key", 9}, {"Dip_No_Tar", ""}});
    }
};

TEST_F(CoachList, CsvHoldsOneQuotedLinePerCoachInCodePage1254)
{
    const QString pdf = pdfPath("antrenor.pdf");
    expectTitle("TBaslik2", "");
    expectPreview(pdf);
    ASSERT_TRUE(Reports::antrenorRapor(caller, everyone()));

    const QString expected = QString::fromUtf8(
        "ADI;SOYADI;LİSANS NO;CİNSİYET;İLİ;ÇALIŞTIĞI KULÜP;KADEME;VİZE YILI\r\n"
        "AYŞE;ÇELİK;;BAYAN;BURSA;\"A SALONU\r\nB BLOK\";3. KADEME;\r\n"
        "\"ŞÜKRÜ \"\"ŞİMŞEK\"\"\";\"KAYA;ÖZ\";;ERKEK;ANKARA;;2. KADEME;2010\r\n"
        "MEHMET;ÖZ;D-5;ERKEK;İZMİR;GÜÇ SALONU;1. KADEME;2010\r\n");
    const QByteArray file = listFile();
    EXPECT_EQ(file, Cp1254::encode(expected)) << file.toStdString();
    EXPECT_TRUE(file.startsWith("ADI;SOYADI;L\xDD" "SANS NO;C\xDDNS\xDDYET;\xDDL\xDD;\xC7" "ALI\xDE"))
        << "Turkish letters as code page 1254 bytes";

    const ReportDocument& doc = *PrintMenuCA1->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel9")->text, "KİCK BOKS ANTRENÖR BİLGİLERİ");
    EXPECT_EQ(textsOf(doc, "QRDBText3"), QStringList{"D-5"});
    EXPECT_EQ(textsOf(doc, "QRDBText5"), (QStringList{"2010", "2010"}));
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expectedText : {"KİCK BOKS ANTRENÖR BİLGİLERİ", "LİSANS NO", "VİZE YILI", "ÇALIŞTIĞI KULÜP",
                                     "KAYA;ÖZ", "D-5"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expectedText))) << expectedText << "\n" << text.toStdString();
}

TEST_F(CoachList, ASecondRunAfterTheFirstAddsNoLinesTwice)
{
    expectTitle("TBaslik2", "ANTRENÖRLER");
    modals().expect("ReportPreview", [](QDialog* d) {
        // Printing from the preview lays the report out once more.
        PrintMenuCA1->ReportBody1.run();
        d->close();
    });
    ASSERT_TRUE(Reports::antrenorRapor(caller, everyone("1")));
    EXPECT_EQ(PrintMenuCA1->Memo1.size(), 2);
    EXPECT_EQ(listFile(), Cp1254::encode(QString::fromUtf8(
                              "ADI;SOYADI;LİSANS NO;CİNSİYET;İLİ;ÇALIŞTIĞI KULÜP;KADEME;VİZE YILI\r\n"
                              "MEHMET;ÖZ;D-5;ERKEK;İZMİR;GÜÇ SALONU;1. KADEME;2010\r\n")));
}

TEST_F(CoachList, CopyIntoAChosenFolderReplacesTheOldListAndOpensIt)
{
    expectTitle("TBaslik2", "");
    expectPreview();
    ASSERT_TRUE(Reports::antrenorRapor(caller, everyone()));
    const QString folder = dir.filePath("disari");
    QDir().mkpath(folder);
    writeFile(folder + "/Liste.csv", "ESKİ");
    QStringList opened;
    Shell::setHook([&opened](const Shell::Request& r) {
        opened << r.target;
        return true;
    });
    ui().answerFile(folder);
    ASSERT_TRUE(Reports::saveListCsvCopy());
    EXPECT_EQ(bytesOf(folder + "/Liste.csv"), listFile());
    EXPECT_EQ(opened, QStringList{folder + "/Liste.csv"});
    EXPECT_EQ(ui().requests.last().text, Reports::kChooseCsvFolder);

    // Cancelled: nothing copied, nothing opened.
    opened.clear();
    ui().answerCancel();
    EXPECT_FALSE(Reports::saveListCsvCopy());
    EXPECT_TRUE(opened.isEmpty());
}

struct VisaCase {
    QVariant stored;
    const char* year;
};
class VisaYear : public ::testing::TestWithParam<VisaCase> {};

TEST_P(VisaYear, IsTheYearOfTheStoredValueWhateverItsForm)
{
    EXPECT_EQ(TPrintMenuCA1::visaYear(GetParam().stored), QString::fromUtf8(GetParam().year));
}

INSTANTIATE_TEST_SUITE_P(Forms, VisaYear,
                         ::testing::Values(VisaCase{2010, "2010"}, VisaCase{"2010", "2010"},
                                           VisaCase{"12.05.2010", "2010"}, VisaCase{"2.5.2010", "2010"},
                                           VisaCase{"2010-05-12", "2010"}, VisaCase{" 2011 ", "2011"},
                                           VisaCase{"2009-2010", "2010"}, VisaCase{"", ""},
                                           VisaCase{QVariant(), ""}));

// --- Athlete list ------------------------------------------------------------------------

class AthleteList : public CsvLists {
protected:
    void SetUp() override
    {
        CsvLists::SetUp();
        Reports::setToday([] { return QDate(2012, 6, 1); });
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "ÇELİK"}, {"E15", "BAYAN"}, {"M3", QDate(1990, 2, 3)},
                      {"E16", "ÇANKAYA SK"}, {"E26", "L-1"}, {"E67", 2011}});
        addPerson(2, {{"Adi", "CAN"}, {"Soyadi", "ER"}, {"E15", "ERKEK"}, {"E16", "GÜÇ; SPOR"}});
        // Visas in 2009 and 2011 only, two in 2011: the later one by date
        // (an older station stored one as "dd.mm.yyyy", which sorts before
        // the ISO text of the earlier date).
        db.insert("F_LNC", {{"Lnc_Key", 1}, {"Musteri_Key", 1}, {"V_Tarih", QDate(2009, 3, 1)}});
        db.insert("F_LNC", {{"Lnc_Key", 2}, {"Musteri_Key", 1}, {"V_Tarih", QDate(2011, 11, 30)}});
        db.insert("F_LNC", {{"Lnc_Key", 3}, {"Musteri_Key", 1}, {"V_Tarih", "05.12.2011"}});
        db.insert("F_LNC", {{"Lnc_Key", 4}, {"Musteri_Key", 1}, {"V_Tarih", QDate(2011, 1, 10)}});
    }
};

TEST_F(AthleteList, CsvHasTheLatestVisaOfEachYearUpToTheCurrentOne)
{
    const QString pdf = pdfPath("sporcu.pdf");
    expectTitle("TBaslik2", "");
    expectPreview(pdf);
    ASSERT_TRUE(Reports::sporcuRapor(caller, everyone()));
    const QString expected = QString::fromUtf8(
        "ADI;SOYADI;CİNSİYET;D.TARİHİ;KULÜBÜ;LİSANS NO;V 2009;V 2010;V 2011;V 2012\r\n"
        "AYŞE;ÇELİK;BAYAN;03.02.1990;ÇANKAYA SK;L-1;01.03.2009;;05.12.2011;\r\n"
        "CAN;ER;ERKEK;;\"GÜÇ; SPOR\";;;;;\r\n");
    EXPECT_EQ(listFile(), Cp1254::encode(expected)) << listFile().toStdString();
    const ReportDocument& doc = *PrintMenuCS1->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel9")->text, "KİCK BOKS SPORCU BİLGİLERİ");
    EXPECT_EQ(textsOf(doc, "QRDBText6"), QStringList{"03.02.1990"});
    EXPECT_EQ(textsOf(doc, "QRDBText5"), QStringList{"2011"});
    EXPECT_TRUE(fixture::squeezedPdfText(pdf).contains(QString::fromUtf8("D.TARİHİ")));
}

TEST(AthleteVisas, AreTheLatestOfEachYearByDate)
{
    const QList<QDate> visas = {QDate(2011, 12, 5), QDate(2009, 3, 1), QDate(2011, 2, 1), QDate(2013, 1, 1)};
    EXPECT_EQ(TPrintMenuCS1::visasByYear(visas, 2012), (QStringList{"01.03.2009", "", "05.12.2011", ""}));
    EXPECT_EQ(TPrintMenuCS1::header(2010),
              (QStringList{"ADI", "SOYADI", "CİNSİYET", "D.TARİHİ", "KULÜBÜ", "LİSANS NO", "V 2009", "V 2010"}));
    EXPECT_EQ(TPrintMenuCS1::header(2008).last(), "") << "before 2009 the header ends with its separator";
}

// --- Pairs list ----------------------------------------------------------------------------

class PairsList : public CsvLists {
protected:
    void SetUp() override
    {
        CsvLists::SetUp();
        // The partner's register number holds an apostrophe: it is bound,
        // never pasted into the statement.
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "ÇELİK"}, {"E58", "12'34"}, {"E25", "ALİ; \"CAN\""},
                      {"E53", "LOW KICK"}, {"E54", "K1"}, {"E55", "-"}});
        addPerson(2, {{"Adi", "ALİ"}, {"Soyadi", "CAN"}, {"Vergi_Numarasi", "12'34"}, {"E53", "K1"},
                      {"E54", "LOW KICK"}, {"E55", "K1"}});
        addPerson(3, {{"Adi", "ZEKİ"}, {"Soyadi", "ŞAHİN"}, {"E58", "0000009"}, {"E25", "YOK KİŞİ"},
                      {"E53", "K1"}});
    }
};

TEST_F(PairsList, CsvHoldsThePairsWithTheirCommonCategories)
{
    const QString pdf = pdfPath("ciftler.pdf");
    expectTitle("TBaslik2", "");
    expectPreview(pdf);
    ASSERT_TRUE(Reports::hakemRapor(caller, everyone()));
    const QString expected = QString::fromUtf8(
        "SİCİL NO;ADI SOYADI;PARTNER SİCİL NO;PARTNER ADI SOYADI;ORTAK BRANŞLAR\r\n"
        "12'34;ALİ CAN;;;\r\n"
        "0000001;AYŞE ÇELİK;12'34;\"ALİ; \"\"CAN\"\"\";LOW KICK,K1,K1\r\n"
        "0000003;ZEKİ ŞAHİN;0000009;YOK KİŞİ;\r\n");
    EXPECT_EQ(listFile(), Cp1254::encode(expected)) << listFile().toStdString();

    const ReportDocument& doc = *PrintMenuCF1->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel9")->text, "KİCK BOKS HAKEM BİLGİLERİ");
    EXPECT_EQ(textsOf(doc, "QRLabel4"), QStringList{"LOW KICK,K1,K1"});
    EXPECT_EQ(textsOf(doc, "QRLabel1"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "15.03.2010");
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expectedText : {"Parter Adı Soyadı", "Partner Adı Soyadı", "Ortak Branşlar", "LOW KICK,K1,K1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expectedText))) << expectedText;
}

TEST_F(PairsList, PairsCommandListsPersonsWithAPartnerName)
{
    expectTitle("TBaslik1", "ÇİFTLER");
    expectPreview();
    Reports::ciftlerListesi(caller, everyone());
    const ReportDocument& doc = *PrintMenuCF1->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"AYŞE ÇELİK", "ZEKİ ŞAHİN"}));
    EXPECT_EQ(textsOf(doc, "QRLabel4"), QStringList{"LOW KICK,K1,K1"}) << "no common category: empty";
}

struct CommonCase {
    QStringList own, partner;
    const char* expected;
};
class CommonCategories : public ::testing::TestWithParam<CommonCase> {};

TEST_P(CommonCategories, AreListedOncePerMatchingPartnerCategory)
{
    EXPECT_EQ(TPrintMenuCF1::commonCategories(GetParam().own, GetParam().partner), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Pairs, CommonCategories,
                         ::testing::Values(CommonCase{{"A", "B", "C"}, {"D", "E", "F"}, ""},
                                           CommonCase{{"A", "", "-"}, {"", "-", "A"}, "A"},
                                           CommonCase{{"A", "B", ""}, {"B", "A", "B"}, "A,B,B"},
                                           CommonCase{{"A", "B", "C"}, {}, ""}));

} // namespace
