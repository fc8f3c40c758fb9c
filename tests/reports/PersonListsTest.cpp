// The register's person lists: titles, columns, line numbers and counts,
// printed from a small register and read back from the display list and the
// PDF file. Every column a list lays out lies on its page.
#include "RegistryFixture.h"

#include "competition/MusteriGiris3.h"
#include "reports/Baslik4.h"
#include "reports/PrintMenu1.h"
#include "reports/PrintMenu196.h"
#include "reports/PrintMenu197.h"
#include "reports/PrintMenu1A.h"
#include "reports/PrintMenu1D.h"
#include "reports/PrintMenu1S.h"
#include "reports/PrintMenu1_1.h"
#include "reports/PrintMenu2.h"
#include "reports/PrintMenu4.h"
#include "reports/PrintMenuCA1.h"
#include "reports/PrintMenuCF1.h"
#include "reports/PrintMenuCS1.h"
#include "reports/PrintMenuMil.h"
#include "reports/GenelBelge.h"
#include "reports/OdaYaz.h"
#include "reports/PrintMenu19.h"
#include "reports/PrintMenu199.h"
#include "reports/RapHakList.h"
#include "reports/RapTurnuva.h"
#include "reports/RegistryReports.h"

#include <QAction>
#include <QRadioButton>

using fixture::textsOf;

namespace {

class PersonLists : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        addPerson(1, {{"Adi", "AYŞE"}, {"Soyadi", "GÜLER"}, {"Vergi_Dairesi", "ANKARA"}, {"E50", "SPORCU"},
                      {"E43", ""}, {"E51", "ULUSAL HAKEM"}, {"E25", "SİYAH KUŞAK"}, {"E58", "ANKARA"},
                      {"M7", QDate(2009, 5, 1)}, {"Adres", "ATATÜRK CAD. 5"}, {"Sokak", "ÇANKAYA"},
                      {"M3", QDate(1990, 2, 3)}, {"E42", "12345678901"}, {"E63", "ayse@ornek.org"},
                      {"E73", "KINAMA CEZASI"}, {"E38", 52.5}, {"E53", ""}, {"E54", "LOW KICK"},
                      {"E55", "K1"}, {"E16", "ÇANKAYA SK"}, {"E48", "ÖMER ÇELİK"}, {"E15", "BAYAN"},
                      {"E62", "0532 111 22 33"}, {"Klup_Yetkilisi", "AYŞE HOCA"}, {"Kullanici", 0},
                      {"E26", "L-11"}});
        addPerson(2, {{"Adi", "MEHMET"}, {"Soyadi", "ÖZ"}, {"Vergi_Dairesi", "İZMİR"}, {"E43", "DR."},
                      {"E50", "SPORCU"}, {"E52", "1.KADEME"}, {"E56", "BURSA"}, {"M5", QDate(2008, 2, 3)},
                      {"E53", "FULL CONTACT"}, {"E15", "ERKEK"}, {"Kullanici", 2}, {"E74", "M-12"},
                      {"M9", QDate(2008, 7, 1)}});
        addPerson(3, {{"Adi", "ZEKİ"}, {"Soyadi", "ŞAHİN"}, {"Vergi_Dairesi", "BURSA"}, {"E51", "BÖLGE HAKEMİ"},
                      {"E74", "M-13"}});
        db.exec("delete * from C_BRANS");
        db.insert("C_BRANS", {{"Durum_Key", 901}, {"Durum", "LOW KICK"}, {"E_B", "E/B"}});
        db.insert("C_BRANS", {{"Durum_Key", 902}, {"Durum", "FULL CONTACT"}, {"E_B", "E"}});
    }
};

// --- Every column on its page --------------------------------------------------------

struct FormCase {
    const char* name;
    std::function<TReportForm*()> form;
    bool landscape;
};

class ColumnsFit : public PersonLists, public ::testing::WithParamInterface<FormCase> {};

TEST_P(ColumnsFit, EveryControlLiesInsideThePrintableWidth)
{
    TReportForm* form = GetParam().form();
    ASSERT_NE(form, nullptr);
    const ReportPageSetup& page = form->ReportBody1.page;
    EXPECT_EQ(page.orientation == ReportPageSetup::Landscape, GetParam().landscape);
    const double width = page.columns > 1 ? (page.printableWidth() - page.columnSpace) / page.columns
                                          : page.printableWidth();
    for (const auto& band : form->ReportBody1.bands())
        for (const auto& c : band->controls())
            EXPECT_LE(c->rect.right(), width + 1e-6)
                << GetParam().name << ": " << c->name.toStdString() << " in " << band->name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ColumnsFit,
    ::testing::Values(FormCase{"PrintMenu1", [] { return (TReportForm*)PrintMenu1; }, true},
                      FormCase{"PrintMenu1A", [] { return (TReportForm*)PrintMenu1A; }, true},
                      FormCase{"PrintMenu2", [] { return (TReportForm*)PrintMenu2; }, true},
                      FormCase{"PrintMenu4", [] { return (TReportForm*)PrintMenu4; }, true},
                      FormCase{"PrintMenu41", [] { return (TReportForm*)PrintMenu41; }, false},
                      FormCase{"PrintMenu1_1", [] { return (TReportForm*)PrintMenu1_1; }, true},
                      FormCase{"PrintMenuMil", [] { return (TReportForm*)PrintMenuMil; }, true},
                      FormCase{"PrintMenu1D", [] { return (TReportForm*)PrintMenu1D; }, false},
                      FormCase{"PrintMenu1S", [] { return (TReportForm*)PrintMenu1S; }, false},
                      FormCase{"PrintMenu1S1", [] { return (TReportForm*)PrintMenu1S1; }, false},
                      FormCase{"PrintMenu196", [] { return (TReportForm*)PrintMenu196; }, true},
                      FormCase{"PrintMenu197", [] { return (TReportForm*)PrintMenu197; }, false},
                      FormCase{"RapHakList", [] { return (TReportForm*)RapHakList; }, false},
                      FormCase{"PrintMenuCA1", [] { return (TReportForm*)PrintMenuCA1; }, false},
                      FormCase{"PrintMenuCS1", [] { return (TReportForm*)PrintMenuCS1; }, false},
                      FormCase{"PrintMenuCF1", [] { return (TReportForm*)PrintMenuCF1; }, false},
                      FormCase{"PrintMenu19", [] { return (TReportForm*)PrintMenu19; }, false},
                      FormCase{"PrintMenu19S", [] { return (TReportForm*)PrintMenu19S; }, false},
                      FormCase{"PrintMenu199", [] { return (TReportForm*)PrintMenu199; }, false},
                      FormCase{"PrintMenu198", [] { return (TReportForm*)PrintMenu198; }, false},
                      FormCase{"GenelBelge", [] { return (TReportForm*)GenelBelge; }, false},
                      FormCase{"RapTurnuva", [] { return (TReportForm*)RapTurnuva; }, true},
                      FormCase{"RapTurnuva1", [] { return (TReportForm*)RapTurnuva1; }, true},
                      FormCase{"RapTurnuva2", [] { return (TReportForm*)RapTurnuva2; }, false},
                      FormCase{"RapTurnuva3", [] { return (TReportForm*)RapTurnuva3; }, false},
                      FormCase{"RapTurnuvaH", [] { return (TReportForm*)RapTurnuvaH; }, false},
                      FormCase{"RapTurnuvaK", [] { return (TReportForm*)RapTurnuvaK; }, false},
                      FormCase{"RapTurnuvaK1", [] { return (TReportForm*)RapTurnuvaK1; }, false},
                      FormCase{"RapTurnuvaC", [] { return (TReportForm*)RapTurnuvaC; }, true},
                      FormCase{"OdaYaz", [] { return (TReportForm*)OdaYaz; }, true}),
    [](const ::testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

// --- The general list --------------------------------------------------------------------

TEST_F(PersonLists, GeneralListPrintsEveryColumnOnALandscapePage)
{
    const QString pdf = pdfPath("genel.pdf");
    expectTitle("TBaslik1", "GENEL LİSTE");
    expectPreview(pdf);
    Reports::genelListe(caller, everyone(), QString(), "ayse");
    const ReportDocument& doc = *PrintMenu4->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(textsOf(doc, "QRLabel1"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"AYŞE GÜLER", "MEHMET ÖZ", "ZEKİ ŞAHİN"}));
    // Titles joined, the empty E43 left out: no leading comma.
    EXPECT_EQ(textsOf(doc, "QRDBText3").first(), "SPORCU, ULUSAL HAKEM");
    EXPECT_EQ(textsOf(doc, "QRDBText3")[1], "DR., SPORCU, 1.KADEME");
    // Birth date, identity number and e-mail are printed, not cut off.
    EXPECT_EQ(doc.pages[0].find("QRDBText6")->text, "03.02.1990");
    EXPECT_EQ(doc.pages[0].find("QRDBText7")->text, "12345678901");
    EXPECT_EQ(doc.pages[0].find("QRLabel17")->text, "E-Mail");
    EXPECT_EQ(doc.pages[0].find("QRDBText8")->text, "ayse@ornek.org");
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "15.03.2010");
    EXPECT_EQ(doc.pages[0].bandTexts("PageFooterBand1"), QStringList{}) << "no page footer";

    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"GENEL LİSTE", "Adı Soyadı", "D.T.", "TCKN", "E-Mail", "ayse@ornek.org",
                                 "12345678901", "03.02.1990", "DR., SPORCU, 1.KADEME"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression("Page size:\\s+842 x 595 pts")));
}

struct TitlesCase {
    const char* filter;
    const char* expected;
};
class TitlesLine : public ::testing::TestWithParam<TitlesCase> {};

TEST_P(TitlesLine, FollowsTheActivityFilter)
{
    EXPECT_EQ(TPrintMenu4::titlesLine(QString::fromUtf8(GetParam().filter), "", "SPORCU", "ULUSAL HAKEM", "ANTRENÖR"),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Filters, TitlesLine,
                         ::testing::Values(TitlesCase{"", "SPORCU, ULUSAL HAKEM, ANTRENÖR"},
                                           TitlesCase{"DİĞER", "SPORCU, ULUSAL HAKEM, ANTRENÖR"},
                                           TitlesCase{"SPORCU", "SPORCU"}, TitlesCase{"HAKEM", "ULUSAL HAKEM"},
                                           TitlesCase{"ANTRENÖR", "ANTRENÖR"}, TitlesCase{"YÖNETİCİ", ""}));

TEST_F(PersonLists, GeneralListOfSelectedRowsWithThePenaltyColumn)
{
    expectTitle("TBaslik1", "SEÇİLENLER");
    expectPreview();
    Reports::genelListe(caller, everyone("3,1"), "HAKEM", QString());
    const ReportDocument& doc = *PrintMenu4->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"AYŞE GÜLER", "ZEKİ ŞAHİN"})) << "in the list's order";
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"ULUSAL HAKEM", "BÖLGE HAKEMİ"}));
    EXPECT_EQ(doc.pages[0].find("QRLabel17")->text, "Ceza");
    EXPECT_EQ(textsOf(doc, "QRDBText8"), QStringList{"KINAMA CEZASI"});
}

TEST_F(PersonLists, AddressListJoinsTitlesAndAddress)
{
    const QString pdf = pdfPath("adresli.pdf");
    expectTitle("TBaslik1", "ADRESLİ LİSTE");
    expectPreview(pdf);
    Reports::genelListeAdresli(caller, searched(" where Vergi_Dairesi = :b", {{"b", "ANKARA"}}));
    const ReportDocument& doc = *PrintMenu1->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText1"), QStringList{"AYŞE GÜLER"});
    EXPECT_EQ(textsOf(doc, "QRDBText6"), QStringList{"ATATÜRK CAD. 5, ÇANKAYA"});
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"ADRESLİ LİSTE", "Ünvanlar", "Kuşak/Dan", "SPORCU, ULUSAL HAKEM", "SİYAH KUŞAK"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(PersonLists, TitleDatedListTakesTheOrderChosenInItsDialog)
{
    const QString pdf = pdfPath("unvan.pdf");
    modals().expect("TBaslik4", [](QDialog* d) {
        d->findChild<QLineEdit*>("Edit8")->setText("ÜNVAN TARİHLİ");
        d->findChild<QRadioButton*>("RadioButton6")->setChecked(true);   // "Bölge"
        click(d->findChild<QWidget*>("BitBtn4"));
    });
    expectPreview(pdf);
    Reports::genelListeUnvanTarihli(caller, everyone());
    const ReportDocument& doc = *PrintMenu2->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"ANKARA", "BURSA", "İZMİR"}));
    EXPECT_EQ(textsOf(doc, "QRDBText6").first(), "01.05.2009");
    EXPECT_EQ(textsOf(doc, "QRDBText12"), QStringList{"03.02.2008"});
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"ÜNVAN TARİHLİ", "KUŞAK/DAN", "HAKEM", "ANTRENÖR", "Verildiği Yer", "1.KADEME"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(PersonLists, ClubStyleListShowsOtherNamesAndPhones)
{
    expectTitle("TBaslik1", "KULÜP V.S.");
    expectPreview();
    Reports::genelListeKulup(caller, everyone("1"));
    const ReportDocument& doc = *PrintMenu1_1->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText2"), QStringList{"AYŞE HOCA"});
    EXPECT_EQ(textsOf(doc, "QRDBText4"), QStringList{"0532 111 22 33"});
}

TEST_F(PersonLists, AthleteListShowsCategoriesAndTheFilterCaption)
{
    const QString pdf = pdfPath("sporcu.pdf");
    expectTitle("TBaslik1", "SPORCULAR");
    expectPreview(pdf);
    Reports::sporcuListesi(caller, everyone(), "LOW KICK");
    const ReportDocument& doc = *PrintMenu1A->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "KİCK BOKS SPORCU LİSTESİ");
    EXPECT_EQ(doc.pages[0].find("QRLabel12")->text, "LOW KICK");
    // Only athletes (E50 not empty); categories only in E54 start with ", ".
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"AYŞE GÜLER", "MEHMET ÖZ"}));
    EXPECT_EQ(textsOf(doc, "QRDBText5"), (QStringList{", LOW KICK, K1", "FULL CONTACT"}));
    EXPECT_EQ(textsOf(doc, "QRDBText4").first(), "52.5");
    EXPECT_TRUE(fixture::squeezedPdfText(pdf).contains("Branşlar/Kategoriler"));
}

TEST_F(PersonLists, CategoryDistributionGivesEveryCategoryItsPage)
{
    const QString pdf = pdfPath("dagilim.pdf");
    expectTitle("TBaslik1", "DAĞILIM");
    expectPreview(pdf);
    Reports::bransDagilimi(caller, ">=0");
    const ReportDocument& doc = *PrintMenu1D->ReportBody1.document();
    // Men: FULL CONTACT (Mehmet), LOW KICK (nobody); women: LOW KICK (Ayşe).
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "KİCK BOKS FULL CONTACT");
    EXPECT_EQ(doc.pages[0].find("QRLabel8")->text, "Sporcu Sayısı : 1");
    EXPECT_EQ(doc.pages[1].find("QRLabel10")->text, "KİCK BOKS LOW KICK");
    EXPECT_EQ(doc.pages[1].find("QRLabel8")->text, "Sporcu Sayısı : 0");
    EXPECT_EQ(doc.pages[2].find("QRLabel30")->text, "KİCK BOKS LOW KICK");
    EXPECT_EQ(doc.pages[2].find("QRLabel28")->text, "Sporcu Sayısı : 1");
    EXPECT_EQ(textsOf(doc, "QRDBText11"), QStringList{"MEHMET ÖZ"});
    EXPECT_EQ(textsOf(doc, "QRDBText31"), QStringList{"AYŞE GÜLER"});
    EXPECT_EQ(textsOf(doc, "QRLabel3"), QStringList{"1"});
    EXPECT_EQ(doc.pages[0].find("QRLabel12")->text, "15.03.2010");
    EXPECT_TRUE(fixture::squeezedPdfText(pdf).contains("Sporcu Sayısı : 1"));

    // Only those not competing.
    expectTitle("TBaslik1", "DAĞILIM");
    expectPreview();
    Reports::bransDagilimi(caller, Reports::countFilterOf("YARIŞMAYACAK"));
    EXPECT_EQ(textsOf(*PrintMenu1D->ReportBody1.document(), "QRDBText11"), QStringList{});
    EXPECT_EQ(textsOf(*PrintMenu1D->ReportBody1.document(), "QRDBText31"), QStringList{"AYŞE GÜLER"});
}

TEST_F(PersonLists, CategoryDistributionWithoutCategoriesSaysSo)
{
    db.exec("delete * from C_BRANS");
    expectTitle("TBaslik1", "DAĞILIM");
    Reports::bransDagilimi(caller, ">=0");
    EXPECT_EQ(ui().texts(), QStringList{Reports::kNoAthletesFound});
    EXPECT_FALSE(PrintMenu1D->anyDataSetOpen());
}

TEST_F(PersonLists, WeighInScreenPrintsTheDistributionOfEveryAthlete)
{
    expectTitle("TBaslik1", "TARTI DAĞILIMI");
    expectPreview();
    MusteriGiris3->MenuItem2->trigger();
    EXPECT_EQ(PrintMenu1D->FCountFilter, ">=0");
    EXPECT_EQ(textsOf(*PrintMenu1D->ReportBody1.document(), "QRDBText11"), QStringList{"MEHMET ÖZ"});
}

TEST_F(PersonLists, NationalTeamListShowsIdentityAndPenaltyAndTheYears)
{
    const QString pdf = pdfPath("millilik.pdf");
    expectTitle("TBaslik1", "MİLLİLİK");
    expectPreview(pdf);
    Reports::millilikDiplomasi(caller, everyone());
    const ReportDocument& doc = *PrintMenuMil->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 2) << "the years start a new page";
    // By diploma date: no date first.
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"ZEKİ ŞAHİN", "MEHMET ÖZ"}));
    EXPECT_EQ(textsOf(doc, "QRDBText5"), (QStringList{"M-13", "01.07.2008, M-12"}));
    EXPECT_EQ(doc.pages[1].bandTexts("QRSubDetail2"), (QStringList{"Yılı boş olan", ":", "1", "2008", ":", "1"}));
    const QString text = fixture::squeezedPdfText(pdf);
    for (const char* expected : {"TCKN", "Ceza", "YILLARA GÖRE DAĞILIM", "Yılı boş olan", "Millilik Diploması"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(PersonLists, ShortGeneralListRunsThroughTheLaunchContract)
{
    TPrintMenu41& r = *PrintMenu41;
    r.QRLabel9->caption = "KISA LİSTE";
    r.FFirstRow = 1;
    r.Query1.sql = ReportLaunch::listQuery(everyone("1,2"));
    r.Query1.open();
    expectPreview();
    ReportLaunch::preview(r, caller);
    EXPECT_EQ(textsOf(*r.ReportBody1.document(), "QRDBText3"), QStringList{"L-11"});
    EXPECT_EQ(textsOf(*r.ReportBody1.document(), "QRLabel1"), (QStringList{"1", "2"}));
}

TEST_F(PersonLists, PrintingTwiceNumbersBothRunsFromOne)
{
    expectTitle("TBaslik1", "GENEL");
    modals().expect("ReportPreview", [](QDialog* d) {
        // A second run, as a print from the preview lays the report out again.
        PrintMenu4->FFirstRow = 0;
        PrintMenu4->ReportBody1.run();
        d->close();
    });
    Reports::genelListe(caller, everyone(), QString(), QString());
    EXPECT_EQ(textsOf(*PrintMenu4->ReportBody1.document(), "QRLabel1"), (QStringList{"1", "2", "3"}));
}

} // namespace
