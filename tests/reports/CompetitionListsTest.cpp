// The weigh-in, bout and ring lists: printed from a fixture database and
// read back from the display list and from the PDF file.
#include "ReportsFixture.h"

#include "reports/Baslik1S.h"
#include "reports/BoutLabels.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintMenu1C.h"
#include "reports/PrintMenu2C.h"
#include "reports/PrintMenu2C1.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

using fixture::textsOf;

namespace {

const QColor kGrey(227, 226, 221);

// The background of the athlete line that printed a text.
QColor lineColour(const ReportPage& page, const QString& name)
{
    for (const ReportItem* t : page.findAll("QRDBText2")) {
        if (t->text != name)
            continue;
        for (const ReportItem* b : page.findAll("QRSubDetail1"))
            if (b->kind == ReportItem::Rect && b->rect.top() <= t->rect.top() + 1e-6 &&
                b->rect.bottom() >= t->rect.bottom() - 1e-6)
                return b->brush;
    }
    return QColor();
}

// The status printed on the line of an athlete.
QString statusOf(const ReportPage& page, const QString& name)
{
    for (const ReportItem* t : page.findAll("QRDBText2")) {
        if (t->text != name)
            continue;
        for (const ReportItem* s : page.findAll("QRLabel3"))
            if (qAbs(s->rect.top() - t->rect.top()) < 1e-6)
                return s->text;
        return QString();
    }
    return "<no line>";
}

ReportCaller callerOf(QWidget* w, int* flag)
{
    ReportCaller c;
    c.window = w;
    c.inPreview = flag;
    return c;
}

// --- Weigh-in list -----------------------------------------------------------

class WeighInList : public ReportsTest {
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        addWeighIn();
        addBouts();
    }
    QWidget screen;
    int flag = 0;
};

TEST_F(WeighInList, PrintsOnePagePerClassWithItsAthletesAndStatuses)
{
    const QString pdf = dir.filePath("tarti.pdf");
    expectTitle([](QDialog*) {
        Baslik1S->CheckBox2->setChecked(false);   // print the weights
        Baslik1S->CheckBox3->setChecked(false);   // and the clubs
    });
    expectPreviewSavedAs(pdf);
    Reports::tartiListeleri(callerOf(&screen, &flag));

    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, fixture::kMen60 + " TARTI LİSTESİ");
    EXPECT_EQ(doc.pages[0].find("QRLabel8")->text, "Sp.Sayısı: 3");
    EXPECT_EQ(doc.pages[1].find("QRLabel10")->text, fixture::kWomen52 + " TARTI LİSTESİ");
    EXPECT_EQ(doc.pages[1].find("QRLabel8")->text, "Sp.Sayısı: 2");
    // Accepted athletes first, by name; the disqualified one after them.
    EXPECT_EQ(textsOf(doc, "QRDBText2"),
              (QStringList{"ÖMER IŞIK", "ŞÜKRÜ ÇAĞLAR", "AHMET DOĞAN", "AYŞE ÖZTÜRK", "GÜLŞEN İNCE"}));
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"12", "1", "3", "4", "5"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"60", "59.5", "0", "51.25", "52"}));

    // Back number 12 stayed away from its bout; 1 is marked absent only in
    // another class, and the quotes keep 1 apart from 12.
    const ReportPage& men = doc.pages[0];
    EXPECT_EQ(statusOf(men, "ÖMER IŞIK"), "MÜS.KATILMADI");
    EXPECT_EQ(lineColour(men, "ÖMER IŞIK"), kGrey);
    EXPECT_EQ(statusOf(men, "ŞÜKRÜ ÇAĞLAR"), "");
    EXPECT_EQ(lineColour(men, "ŞÜKRÜ ÇAĞLAR"), QColor(Qt::white));
    EXPECT_EQ(statusOf(men, "AHMET DOĞAN"), "** DİSKALİFİYE **");
    EXPECT_EQ(lineColour(men, "AHMET DOĞAN"), kGrey);

    const QString text = fixture::pdfText(pdf);
    for (const char* expected : {"ERKEK 60 KİLO BÜYÜKLER TARTI LİSTESİ", "BAYAN 52 KİLO GENÇLER TARTI LİSTESİ",
                                 "No.", "Adı Soyadı", "Kilo", "Bölge", "Kulüp", "ŞÜKRÜ ÇAĞLAR", "ÖMER IŞIK",
                                 "GÜLŞEN İNCE", "ŞANLIURFA", "ÇANKAYA SK", "** DİSKALİFİYE **", "MÜS.KATILMADI",
                                 "Sp.Sayısı: 3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("Takım/Kulüp"));
    EXPECT_FALSE(text.contains("B TAKIMI"));
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression("Page size:\\s+595 x 842 pts")));
}

TEST_F(WeighInList, TheTitleIsTheComposedActivityTitle)
{
    expectTitle([](QDialog*) { Baslik1S->Edit8->setText("ELLE YAZILAN"); });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleri(callerOf(&screen, &flag));
    // The picker chose no activity: the typed title prints.
    EXPECT_EQ(PrintMenu1C->QRLabel9->caption, "ELLE YAZILAN");

    // With an activity picked the title prints on two lines on every page.
    db.insert("C_TURNUVA", {{"Turnuva_Key", 5}, {"Adi", "ŞAMPİYONA"}, {"Yer", "ANKARA"},
                            {"Tarih1", QDate(2010, 3, 12)}, {"Tarih2", QDate(2010, 3, 14)}});
    expectTitle([](QDialog*) {
        auto* picker = Baslik1S->DBLookupComboBox1;
        picker->setCurrentIndex(picker->findData(5));
        emit picker->activated(picker->currentIndex());
    });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleri(callerOf(&screen, &flag));
    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    for (const ReportPage& page : doc.pages)
        EXPECT_EQ(page.bandTexts("PageHeaderBand1"), (QStringList{"ŞAMPİYONA", "12 - 14 MART 2010  ANKARA"}));
}

TEST_F(WeighInList, WhereThePickerIsHiddenTheTypedTitlePrints)
{
    // The scoring and office stations hide the activity picker.
    Baslik1S->DBLookupComboBox1->hide();
    expectTitle([](QDialog*) {
        EXPECT_FALSE(Baslik1S->Edit8->isReadOnly());
        Baslik1S->Edit8->clear();
        typeInto(Baslik1S->Edit8, "il şampiyonası");
    });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleri(callerOf(&screen, &flag));
    EXPECT_EQ(PrintMenu1C->QRLabel9->caption, "İL ŞAMPİYONASI");
    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    ASSERT_FALSE(doc.pages.empty());
    EXPECT_TRUE(doc.pages[0].bandTexts("PageHeaderBand1").contains("İL ŞAMPİYONASI"));
}

struct OptionCase {
    bool noWeights;
    bool noClubs;
};

class WeighInOptionsCase : public WeighInList, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(WeighInOptionsCase, CheckBoxesLeaveColumnsOut)
{
    const OptionCase c = GetParam();
    expectTitle([c](QDialog*) {
        Baslik1S->CheckBox2->setChecked(c.noWeights);
        Baslik1S->CheckBox3->setChecked(c.noClubs);
    });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleri(callerOf(&screen, &flag));
    const ReportPage& page = PrintMenu1C->ReportBody1.document()->pages[0];
    EXPECT_EQ(fixture::prints(page, "QRLabel4"), !c.noWeights);
    EXPECT_EQ(fixture::prints(page, "QRDBText3"), !c.noWeights);
    EXPECT_EQ(fixture::prints(page, "QRLabel7"), !c.noClubs);
    EXPECT_EQ(fixture::prints(page, "QRDBText6"), !c.noClubs);
    // The team column never prints.
    EXPECT_FALSE(fixture::prints(page, "QRLabel6"));
    EXPECT_FALSE(fixture::prints(page, "QRDBText5"));
}

INSTANTIATE_TEST_SUITE_P(Options, WeighInOptionsCase,
                         ::testing::Values(OptionCase{true, true}, OptionCase{false, true}, OptionCase{true, false},
                                           OptionCase{false, false}));

TEST_F(WeighInList, InternationalCompetitionPrintsEnglishCaptions)
{
    // The weigh-in screen offers "Uluslar arası Müsabaka" for the showing.
    expectTitle([](QDialog*) {
        EXPECT_TRUE(Baslik1S->CheckBox5->isVisible());
        Baslik1S->CheckBox5->setChecked(true);
    });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleriKategori(callerOf(&screen, &flag), QString(), {true, false});
    EXPECT_FALSE(Baslik1S->CheckBox5->isVisibleTo(Baslik1S));

    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    EXPECT_EQ(doc.pages[0].find("QRLabel10")->text, "MALE 60 KG SENIORS LIST");
    EXPECT_EQ(doc.pages[0].find("QRLabel2")->text, "Name Surname");
    EXPECT_EQ(doc.pages[0].find("QRLabel5")->text, "Country");
    EXPECT_EQ(doc.pages[0].find("QRLabel8")->text, "Sp.Count: 3");
    EXPECT_EQ(doc.pages[1].find("QRLabel10")->text, "FEMALE 52 KG JUNIORS LIST");

    // The option keeps its state; unticked, the next list is Turkish again.
    Baslik1S->CheckBox5->setChecked(false);
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleri(callerOf(&screen, &flag));
    EXPECT_EQ(PrintMenu1C->ReportBody1.document()->pages[0].find("QRLabel2")->text, "Adı Soyadı");
    EXPECT_EQ(PrintMenu1C->ReportBody1.document()->pages[0].find("QRLabel5")->text, "Bölge");
}

struct EnglishCase {
    const char* turkish;
    const char* english;
};

class EnglishCategory : public ::testing::TestWithParam<EnglishCase> {};

TEST_P(EnglishCategory, WordsAreReplacedInOrder)
{
    EXPECT_EQ(TPrintMenu1C::englishCategory(QString::fromUtf8(GetParam().turkish)),
              QString::fromUtf8(GetParam().english));
}

INSTANTIATE_TEST_SUITE_P(
    Words, EnglishCategory,
    ::testing::Values(EnglishCase{"ERKEK 60 KİLO BÜYÜKLER", "MALE 60 KG SENIORS"},
                      EnglishCase{"BAYAN 48 KİLO YILDIZLAR", "FEMALE 48 KG CHILDREN"},
                      EnglishCase{"ERKEK 75 KİLO 21 YAŞ ALTI", "MALE 75 KG U21"},
                      EnglishCase{"BAYAN 50 KİLO ÜMİTLER", "FEMALE 50 KG CADETS"},
                      EnglishCase{"ERKEK +91 KİLO VETERANLAR", "MALE +91 KG VETERANS"},
                      // "GENÇLER" goes first, so "ÜMİT GENÇLER" keeps its first word.
                      EnglishCase{"ERKEK 57 KİLO ÜMİT GENÇ", "MALE 57 KG CADET & JUNIORS"},
                      EnglishCase{"ERKEK 57 KİLO ÜMİT GENÇLER", "MALE 57 KG ÜMİT JUNIORS"},
                      EnglishCase{"BAYAN TAKIM", "FEMALE TEAM"}));

TEST_F(WeighInList, OneClassPrintsOnlyThatClass)
{
    expectTitle([](QDialog*) {
        // Options offered; the title from an activity where the picker is
        // offered, typed where the configuration hides it.
        EXPECT_TRUE(Baslik1S->CheckBox2->isVisible());
        EXPECT_TRUE(Baslik1S->CheckBox3->isVisible());
        EXPECT_EQ(Baslik1S->Edit8->isReadOnly(), !Baslik1S->DBLookupComboBox1->isHidden());
    });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListesi(callerOf(&screen, &flag), {true, true, fixture::kWomen52, "BAYAN"}, {});
    EXPECT_FALSE(Baslik1S->Edit8->isReadOnly());
    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"AYŞE ÖZTÜRK", "GÜLŞEN İNCE"}));
}

TEST_F(WeighInList, GradeTournamentUnticksTheClubOption)
{
    Baslik1S->CheckBox3->setChecked(true);
    expectTitle([](QDialog*) { EXPECT_FALSE(Baslik1S->CheckBox3->isChecked()); });
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListesi(callerOf(&screen, &flag), {true, true, fixture::kMen60, "ERKEK"}, {false, true});
    EXPECT_TRUE(fixture::prints(PrintMenu1C->ReportBody1.document()->pages[0], "QRDBText6"));
}

TEST_F(WeighInList, CategoryNarrowsToItsClasses)
{
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListeleriKategori(callerOf(&screen, &flag), QString::fromUtf8("BÜYÜKLER"), {});
    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRLabel10"), QStringList{fixture::kMen60 + " TARTI LİSTESİ"});
}

TEST_F(WeighInList, AClassNameWithAQuotePrints)
{
    const QString odd = QString::fromUtf8("ERKEK 70 KİLO O'NEİL KUPASI");
    addAthlete(9, odd, "ALİ VELİ", 9, 1, "BURSA", "NİLÜFER SK", "A TAKIMI", 70);
    addBout({{"Kura_Key", 9}, {"Brans", odd}, {"Tur", "FİNAL"}, {"Sira", "1"}, {"Ad1", "ALİ VELİ"}, {"Sira1", 9},
             {"Dis1", 1}});
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListesi(callerOf(&screen, &flag), {true, true, odd, "ERKEK"}, {});
    const ReportDocument& doc = *PrintMenu1C->ReportBody1.document();
    EXPECT_EQ(textsOf(doc, "QRDBText2"), QStringList{"ALİ VELİ"});
    EXPECT_EQ(textsOf(doc, "QRLabel3"), QStringList{"MÜS.KATILMADI"});
}

TEST_F(WeighInList, AthletesFollowTheWeighInScreensOrderAfterTheAccepted)
{
    PrintMenu1C->FOrderBy = "Sira";
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::tartiListesi(callerOf(&screen, &flag), {true, true, fixture::kMen60, "ERKEK"}, {});
    EXPECT_EQ(textsOf(*PrintMenu1C->ReportBody1.document(), "QRDBText1"), (QStringList{"1", "12", "3"}));

    // Only column names stand in the order.
    PrintMenu1C->FOrderBy = "Sira; delete from C_LISTE";
    expectTitle();
    EXPECT_THROW(Reports::tartiListesi(callerOf(&screen, &flag), {true, true, fixture::kMen60, "ERKEK"}, {}), DbError);
    EXPECT_TRUE(screen.isEnabled());
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(db.scalar("select count(*) from C_LISTE").toInt(), 5);
    PrintMenu1C->FOrderBy = "Ad";
}

struct WeighInRefusal {
    bool listOpen;
    bool hasAthlete;
    const char* brans;
    bool asksTitle;
    const char* message;
};

class WeighInRefusals : public WeighInList, public ::testing::WithParamInterface<WeighInRefusal> {};

TEST_P(WeighInRefusals, ShowTheirMessageAndPreviewNothing)
{
    const WeighInRefusal c = GetParam();
    if (c.asksTitle)
        expectTitle();
    Reports::tartiListesi(callerOf(&screen, &flag), {c.listOpen, c.hasAthlete, QString::fromUtf8(c.brans), "ERKEK"},
                          {});
    EXPECT_EQ(ui().texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_FALSE(modals().seen().contains("ReportPreview"));
    EXPECT_FALSE(PrintMenu1C->anyDataSetOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, WeighInRefusals,
    ::testing::Values(WeighInRefusal{false, false, "", false, "Lütfen Branş Seçiniz ...!"},
                      WeighInRefusal{true, false, "", false, "Seçilen Branş Listesinde Sporcu Bulunmamaktadır ...!"},
                      // Only disqualified athletes: no class on the accepted list.
                      WeighInRefusal{true, true, "", true, "Listelerde Herhangi bir Sporcu Bulunmamaktadır ...!"}));

TEST_F(WeighInList, EmptyListsSayNoAthletes)
{
    db.exec("delete * from C_LISTE");
    expectTitle();
    Reports::tartiListeleri(callerOf(&screen, &flag));
    EXPECT_EQ(ui().texts(), QStringList{"Listelerde Herhangi bir Sporcu Bulunmamaktadır ...!"});
    EXPECT_EQ(modals().seen(), QStringList{"TBaslik1S"});
}

// --- Bout list -----------------------------------------------------------------

class BoutList : public WeighInList {};

TEST_F(BoutList, PrintsOnePagePerClassWithBothCornersAndTheScore)
{
    const QString pdf = dir.filePath("kura.pdf");
    expectTitle([](QDialog*) {
        EXPECT_FALSE(Baslik1S->CheckBox2->isVisible());
        EXPECT_TRUE(Baslik1S->CheckBox3->isVisible());
        Baslik1S->Edit8->setText("TÜRKİYE ŞAMPİYONASI");
        Baslik1S->CheckBox3->setChecked(false);
    });
    expectPreviewSavedAs(pdf);
    Reports::kuraListeleri(callerOf(&screen, &flag));

    const ReportDocument& doc = *PrintMenu2C->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(textsOf(doc, "QRLabel10"), (QStringList{"KİCK BOKS " + fixture::kMen60 + " KURA LİSTESİ",
                                                      "KİCK BOKS " + fixture::kMen65 + " KURA LİSTESİ",
                                                      "KİCK BOKS " + fixture::kWomen52 + " KURA LİSTESİ"}));
    EXPECT_EQ(textsOf(doc, "QRLabel9"), QStringList(3, "TÜRKİYE ŞAMPİYONASI"));
    EXPECT_EQ(textsOf(doc, "QRLabel12"), QStringList(3, "15.03.2010"));
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"YARI FİNAL 1.MAÇ", "FİNAL", "1. TUR 3.MAÇ", "FİNAL"}));
    // Ring and order only from four characters.
    EXPECT_EQ(textsOf(doc, "QRDBText9"), (QStringList{"1/005", "2/001", "1/001"}));
    EXPECT_EQ(doc.pages[0].bandTexts("QRSubDetail1").mid(0, 12),
              (QStringList{"YARI FİNAL 1.MAÇ", "ŞÜKRÜ ÇAĞLAR", "İZMİR", "GÜÇLÜ SPOR", "ÖMER IŞIK", "ANKARA",
                           "ÇANKAYA SK", "ŞÜKRÜ ÇAĞLAR", "1/005", "WO", "7", "3"}));

    const QString text = fixture::pdfText(pdf);
    for (const char* expected : {"TÜRKİYE ŞAMPİYONASI", "KİCK BOKS ERKEK 60 KİLO BÜYÜKLER KURA LİSTESİ", "Maç",
                                 "Adı Soyadı (Mavi)", "Adı Soyadı (Kırmızı)", "Kulüp Adı", "Galip Sporcu",
                                 "Ring/Sıra", "Karar", "Skor", "YARI FİNAL 1.MAÇ", "ÇANKAYA SK", "15.03.2010"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(fixture::pdfInfo(pdf).contains(QRegularExpression("Page size:\\s+842 x 595 pts")));
}

TEST_F(BoutList, LongValuesPrintWholeInTheirColumns)
{
    addBout({{"Kura_Key", 5}, {"Brans", fixture::kMen60}, {"Tur", "ÇEYREK FİNAL"}, {"Sira", "1"},
             {"Ad1", "MEHMET YILMAZ"}, {"Bolge1", "KAHRAMANMARAŞ"}, {"Klup1", "KAHRAMANMARAŞ BÜYÜKŞEHİR BELEDİYESPOR"},
             {"Ad2", "HÜSEYİN CAHİT GÜLTEKİNOĞLU"}, {"Bolge2", "AFYONKARAHİSAR"}, {"Klup2", "KONYA GENÇLİK SPOR KULÜBÜ"}});
    const QString pdf = dir.filePath("kura.pdf");
    expectTitle([](QDialog*) { Baslik1S->CheckBox3->setChecked(false); });
    expectPreviewSavedAs(pdf);
    Reports::kuraListesi(callerOf(&screen, &flag), true, 5, fixture::kMen60, "ERKEK");
    const ReportDocument& doc = *PrintMenu2C->ReportBody1.document();
    for (const ReportItem& i : doc.pages[0].items) {
        if (i.kind == ReportItem::Text) {
            EXPECT_TRUE(i.clip.isNull()) << "cut off: " << i.name << " \"" << i.text << "\"";
        }
    }
    EXPECT_TRUE(textsOf(doc, "QRDBText1").contains("ÇEYREK FİNAL 1.MAÇ"));
    // A club too long for one line takes more lines, every word of it.
    EXPECT_EQ(textsOf(doc, "QRDBText4").mid(2).join(' '), "KAHRAMANMARAŞ BÜYÜKŞEHİR BELEDİYESPOR");
    EXPECT_EQ(textsOf(doc, "QRDBText7").mid(1).join(' '), "KONYA GENÇLİK SPOR KULÜBÜ");
    // The round label and the name stand apart in the page's text.
    const QString text = fixture::pdfText(pdf);
    EXPECT_FALSE(text.contains("MAÇMEHMET")) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8("ÇEYREK FİNAL 1\\.MAÇ\\s+MEHMET YILMAZ"))))
        << text.toStdString();
    for (const char* expected : {"HÜSEYİN CAHİT GÜLTEKİNOĞLU", "AFYONKARAHİSAR", "KAHRAMANMARAŞ"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(BoutList, ClubColumnsFollowTheirOption)
{
    expectTitle([](QDialog*) { Baslik1S->CheckBox3->setChecked(true); });
    modals().expect("ReportPreview", nullptr);
    Reports::kuraListeleri(callerOf(&screen, &flag));
    const ReportPage& page = PrintMenu2C->ReportBody1.document()->pages[0];
    for (const char* name : {"QRLabel4", "QRLabel7", "QRDBText4", "QRDBText7"})
        EXPECT_FALSE(fixture::prints(page, name)) << name;
    EXPECT_TRUE(fixture::prints(page, "QRDBText3"));
}

TEST_F(BoutList, OneClassOfTheMatchScreen)
{
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::kuraListesi(callerOf(&screen, &flag), true, 1, fixture::kMen60, "ERKEK");
    const ReportDocument& doc = *PrintMenu2C->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(textsOf(doc, "QRDBText2"), (QStringList{"ŞÜKRÜ ÇAĞLAR", "ŞÜKRÜ ÇAĞLAR"}));
}

struct BoutRefusal {
    bool listOpen;
    QVariant key;
    const char* brans;
    bool asksTitle;
    const char* message;
};

class BoutRefusals : public BoutList, public ::testing::WithParamInterface<BoutRefusal> {};

TEST_P(BoutRefusals, ShowTheirMessageAndPreviewNothing)
{
    const BoutRefusal& c = GetParam();
    if (c.asksTitle)
        expectTitle();
    Reports::kuraListesi(callerOf(&screen, &flag), c.listOpen, c.key, QString::fromUtf8(c.brans), "ERKEK");
    EXPECT_EQ(ui().texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_FALSE(modals().seen().contains("ReportPreview"));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, BoutRefusals,
    ::testing::Values(BoutRefusal{false, QVariant(), "", false, "Lütfen Branş Seçiniz ...!"},
                      BoutRefusal{true, QVariant(), "", false, "Seçilen Branşta KURA Listesi Bulunmamaktadır ...!"},
                      BoutRefusal{true, 7, "BAYAN 99 KİLO", true, "HERHANGİ BİR KURA LİSTESİ BULUNMAMAKTADIR ...!"}));

TEST_F(BoutList, EmptyBoutTableSaysSo)
{
    db.exec("delete * from C_KURA");
    expectTitle();
    Reports::kuraListeleri(callerOf(&screen, &flag));
    EXPECT_EQ(ui().texts(), QStringList{"HERHANGİ BİR KURA LİSTESİ BULUNMAMAKTADIR ...!"});
    EXPECT_EQ(modals().seen(), QStringList{"TBaslik1S"});
    EXPECT_FALSE(PrintMenu2C->anyDataSetOpen());
}

struct LabelCase {
    const char* tur;
    const char* sira;
    const char* label;
};

class BoutLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(BoutLabel, RoundAndNumber)
{
    EXPECT_EQ(BoutLabels::turMac(QString::fromUtf8(GetParam().tur), GetParam().sira), QString::fromUtf8(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Labels, BoutLabel,
                         ::testing::Values(LabelCase{"FİNAL", "1", "FİNAL"}, LabelCase{"3.'LÜK MAÇI", "1", "3.'LÜK MAÇI"},
                                           LabelCase{"1. TUR", "3", "1. TUR 3.MAÇ"},
                                           LabelCase{"YARI FİNAL", "2", "YARI FİNAL 2.MAÇ"},
                                           // Exact comparison: an entered bout's "Final" is numbered.
                                           LabelCase{"Final", "1", "Final 1.MAÇ"}));

TEST(BoutRingOrder, OnlyFourCharactersSplit)
{
    EXPECT_EQ(BoutLabels::ringOrder("1005"), "1/005");
    EXPECT_EQ(BoutLabels::ringOrder("105"), "");
    EXPECT_EQ(BoutLabels::ringOrder("10005"), "");
    EXPECT_EQ(BoutLabels::ringOrder(""), "");
}

// --- Ring list -------------------------------------------------------------------

class RingList : public WeighInList {};

TEST_F(RingList, PrintsOnePagePerRingOfTheDayInRingOrder)
{
    const QString pdf = dir.filePath("ring.pdf");
    expectTitle([](QDialog*) {
        EXPECT_FALSE(Baslik1S->CheckBox2->isVisible());
        EXPECT_FALSE(Baslik1S->CheckBox3->isVisible());
        Baslik1S->Edit8->setText("RİNG DAĞILIMI");
    });
    expectPreviewSavedAs(pdf);
    EXPECT_TRUE(Reports::ringListesi(callerOf(&screen, &flag), "12.03.2010", "RİNG"));

    const ReportDocument& doc = *PrintMenu2C1->ReportBody1.document();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(textsOf(doc, "QRLabel10"),
              (QStringList{"12.03.2010 RİNG 1 MÜSABAKA LİSTESİ", "12.03.2010 RİNG 2 MÜSABAKA LİSTESİ"}));
    // "1005" sorts before "105".
    EXPECT_EQ(textsOf(doc, "QRDBText1"), (QStringList{"YARI FİNAL 1.MAÇ", "FİNAL", "1. TUR 3.MAÇ"}));
    EXPECT_EQ(textsOf(doc, "QRDBText3"), (QStringList{"1005", "105", "2001"}));
    // Region and team by back number; no weigh-in row, nothing.
    EXPECT_EQ(textsOf(doc, "QRLabel8"), (QStringList{"İZMİR, A TAKIMI", "İZMİR, A TAKIMI", "İZMİR, A TAKIMI"}));
    EXPECT_EQ(textsOf(doc, "QRLabel13"), (QStringList{"ANKARA, B TAKIMI"}));
    EXPECT_EQ(textsOf(doc, "QRDBText8"), QStringList{"1"});
    EXPECT_TRUE(doc.pages[0].find("QRDBText8")->font.bold());
    // The line counter and the memo are not printed.
    EXPECT_TRUE(textsOf(doc, "QRLabel1").isEmpty());
    EXPECT_TRUE(textsOf(doc, "Memo1").isEmpty());
    EXPECT_EQ(PrintMenu2C1->Memo1->lines, QStringList{"Memo1"});

    const QString text = fixture::pdfText(pdf);
    for (const char* expected : {"RİNG DAĞILIMI", "12.03.2010 RİNG 1 MÜSABAKA LİSTESİ", "Tur", "Branş", "Sıra",
                                 "Adı Soyadı", "Bölge/Takım", "Galip", "ERKEK 60 KİLO BÜYÜKLER", "ŞÜKRÜ ÇAĞLAR",
                                 "ANKARA, B TAKIMI", "ÇETİN ÖZ"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("13.03.2010"));
}

TEST_F(RingList, LineNumbersRestartInEveryRing)
{
    PrintMenu2C1->QRLabel1->enabled = true;
    expectTitle();
    modals().expect("ReportPreview", nullptr);
    Reports::ringListesi(callerOf(&screen, &flag), "12.03.2010", "RİNG");
    EXPECT_EQ(textsOf(*PrintMenu2C1->ReportBody1.document(), "QRLabel1"), (QStringList{"1", "2", "1"}));
}

TEST_F(RingList, DayWithoutRingsSaysSo)
{
    expectTitle();
    EXPECT_FALSE(Reports::ringListesi(callerOf(&screen, &flag), "14.03.2010", "RİNG"));
    EXPECT_EQ(ui().texts(), QStringList{"14.03.2010 TARİHLİ RİNG DAĞILIM LİSTESİ BULUNMAMAKTADIR ...!"});
    EXPECT_FALSE(PrintMenu2C1->anyDataSetOpen());
}

TEST_F(RingList, EmptyDateIsRefusedBeforeTheDialog)
{
    EXPECT_FALSE(Reports::ringListesi(callerOf(&screen, &flag), "  .  .    ", "RİNG"));
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Tarih Seçiniz ...!"});
    EXPECT_EQ(ui().requests.first().kind, UiRequest::Error);
    EXPECT_TRUE(modals().seen().isEmpty());
}

TEST_F(RingList, MatchScreenTakesTheDatePickedInTheDialog)
{
    expectTitle([](QDialog*) {
        EXPECT_TRUE(Baslik1S->DateTimePicker1->isVisible());
        EXPECT_TRUE(Baslik1S->MaskEdit1->isVisible());
        EXPECT_TRUE(Baslik1S->Label4->isVisible());
        Baslik1S->DateTimePicker1->setDate(QDate(2010, 3, 13));
    });
    modals().expect("ReportPreview", nullptr);
    Reports::ringlereDagilimListesi(callerOf(&screen, &flag), "RİNG");
    EXPECT_EQ(textsOf(*PrintMenu2C1->ReportBody1.document(), "QRLabel10"),
              QStringList{"13.03.2010 RİNG 1 MÜSABAKA LİSTESİ"});
    EXPECT_FALSE(Baslik1S->DateTimePicker1->isVisibleTo(Baslik1S));
    EXPECT_FALSE(Baslik1S->MaskEdit1->isVisibleTo(Baslik1S));
    EXPECT_FALSE(Baslik1S->Label4->isVisibleTo(Baslik1S));
}

TEST_F(RingList, MatchScreenDayWithoutRings)
{
    expectTitle([](QDialog*) { Baslik1S->DateTimePicker1->setDate(QDate(2011, 1, 2)); });
    Reports::ringlereDagilimListesi(callerOf(&screen, &flag), "RİNG");
    EXPECT_EQ(ui().texts(), QStringList{"02.01.2011 TARİHLİ RİNG DAĞILIM LİSTESİ BULUNMAMAKTADIR ...!"});
    EXPECT_FALSE(Baslik1S->MaskEdit1->isVisibleTo(Baslik1S));
}

TEST_F(RingList, MatchScreenWithAnEmptyDateRefuses)
{
    Baslik1S->MaskEdit1->setText("  .  .    ");
    Reports::ringlereDagilimListesi(callerOf(&screen, &flag), "RİNG");
    EXPECT_EQ(ui().texts(), QStringList{"Lütfen Tarih Seçiniz ...!"});
    EXPECT_TRUE(modals().seen().isEmpty());
    EXPECT_FALSE(Baslik1S->MaskEdit1->isVisibleTo(Baslik1S));
}

} // namespace
