// The competition lists with long, realistic names, clubs, teams and
// regions: every value prints whole, in its own column. Read from the
// display list (no text runs past its box) and from the PDF's text (each
// value, line by line where it takes more lines, stands apart from its
// neighbours: never "NAMECLUB").
#include "ReportsFixture.h"

#include "reports/Baslik1S.h"
#include "reports/CompetitionReports.h"
#include "reports/PrintMenu1C.h"
#include "reports/PrintMenu1E.h"
#include "reports/PrintMenu2C.h"
#include "reports/PrintMenu2C1.h"
#include "reports/PrintMenu3.h"
#include "reports/PrintMenu330.h"
#include "reports/PrintScore.h"
#include "reports/RapTakimList.h"
#include "reports/ResultsReports.h"
#include "support/PrintedTexts.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

struct LongAthlete {
    const char* name;
    const char* region;
    const char* club;
    const char* team;
    int number;      // back number
    double weight;
    int approved;
    int place;
};

// Men 60: a final, two semi-finals and a third-place bout; the rejected one
// and the one who did not come keep their status words.
const LongAthlete kMen[] = {
    {"SELAHATTİN KARAOSMANOĞLU", "KAHRAMANMARAŞ", "KAHRAMANMARAŞ GENÇLİK SPOR KULÜBÜ",
     "KAHRAMANMARAŞ BÜYÜKŞEHİR BELEDİYESPOR", 101, 59.85, 1, 1},
    {"MUHAMMED ABDÜLKADİR ÇAKIROĞLU", "AFYONKARAHİSAR", "AFYONKARAHİSAR GENÇLİK VE SPOR KULÜBÜ",
     "AFYONKARAHİSAR İL ÖZEL İDARESİ SPOR", 102, 60, 1, 2},
    {"HÜSEYİN CAHİT GÜLTEKİNOĞLU", "ÇANAKKALE", "ÇANAKKALE ONSEKİZ MART ÜNİVERSİTESİ SK",
     "ÇANAKKALE DARDANEL SPOR A TAKIMI", 103, 59.5, 0, 3},
    {"ABDURRAHMAN ŞEREFETTİN KOCABIYIKOĞLU", "ŞANLIURFA", "İSTANBUL ÜSKÜDAR DÖVÜŞ SANATLARI SK",
     "ŞANLIURFA HARRAN ÜNİVERSİTESİ SPOR", 104, 58.75, 1, 4},
};
const LongAthlete kWomen[] = {
    {"GÜLŞEN NURHAYAT KARAHASANOĞLU", "ZONGULDAK", "ZONGULDAK KARAELMAS GENÇLİK SPOR KULÜBÜ",
     "ZONGULDAK EREĞLİ DEMİR ÇELİK SPOR", 201, 51.9, 1, 1},
    {"FATMA ZEHRA ÇİFTÇİOĞULLARI", "GAZİANTEP", "GAZİANTEP ŞAHİNBEY BELEDİYESİ SPOR KULÜBÜ",
     "GAZİANTEP BÜYÜKŞEHİR BELEDİYESPOR", 202, 52, 1, 2},
};
// A weight category name as long as one may be.
const QString kLongClass = QStringLiteral("+91 KİLO ERKEK POINT FIGHTING VETERANLAR");
const QString kLongLevel = QStringLiteral("POINT FIGHTING VETERANLAR");
const LongAthlete kVeterans[] = {
    {"KADİR CAN ÇALIŞKANOĞLU", "KIRKLARELİ", "KIRKLARELİ LÜLEBURGAZ YÜZÜNCÜ YIL SPOR KULÜBÜ",
     "KIRKLARELİ LÜLEBURGAZ BELEDİYESPOR", 301, 96.4, 1, 1},
    {"MEHMET AKİF ERSOYLUOĞULLARI", "KÜTAHYA", "KÜTAHYA TAVŞANLI LİNYİT GENÇLİK SPOR KULÜBÜ",
     "KÜTAHYA TAVŞANLI LİNYİTSPOR", 302, 102.3, 1, 2},
};

const QString kDay = QStringLiteral("12.03.2010");
const QString kRing = QStringLiteral("12.03.2010 RİNG 1");
const QString kTitle = QStringLiteral("TÜRKİYE KİCK BOKS ŞAMPİYONASI");
const QString kReferee = QStringLiteral("ABDÜLKERİM ZEYNELABİDİN KARAKOÇOĞLU");

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

// The texts each print of a control made: the lines of one print follow
// one another directly below, joined here by a blank.
QStringList printsOf(const ReportDocument& doc)
{
    QStringList prints;
    for (const ReportPage& page : doc.pages) {
        const ReportItem* previous = nullptr;
        for (const ReportItem& i : page.items) {
            if (i.kind != ReportItem::Text)
                continue;
            if (previous && previous->name == i.name && std::abs(i.rect.top() - previous->rect.bottom()) < 0.001 &&
                std::abs(i.rect.left() - previous->rect.left()) < 0.001)
                prints.last() += '\n' + i.text;
            else
                prints << i.text;
            previous = &i;
        }
    }
    return prints;
}

// What a value lacks on the printed page: "" when one print of the display
// list is the value, in one line or in lines broken at its blanks, and
// each of those lines stands in the PDF's text whole with blanks (or the
// line's ends) on both sides.
QString lackOf(const QStringList& prints, const QString& pdfText, const QString& value)
{
    QString print;
    for (const QString& p : prints)
        if (QString(p).replace('\n', ' ') == value)
            print = p;
    if (print.isEmpty())
        return "not printed whole: \"" + value + "\"";
    for (const QString& line : print.split('\n')) {
        const QRegularExpression apart("(^|\\s)" + QRegularExpression::escape(line) + "(\\s|$)",
                                       QRegularExpression::MultilineOption);
        if (!pdfText.contains(apart))
            return "not apart from its neighbours in the PDF: \"" + line + "\"";
    }
    return QString();
}

// The lists, as their screens print them.
enum class List { WeighIn, Bouts, Ring, ScoreSheets, ResultsWithClubs, ResultsInTwoColumns, Points, Statistics, Medals };

class LongListValues : public ReportsTest {
protected:
    void SetUp() override
    {
        ReportsTest::SetUp();
        for (const LongAthlete& a : kMen)
            add(a, fixture::kMen60);
        for (const LongAthlete& a : kWomen)
            add(a, fixture::kWomen52);
        for (const LongAthlete& a : kVeterans)
            add(a, kLongClass);
        bout(1, fixture::kMen60, "YARI FİNAL", "1", kMen[0], kMen[2], "RSC", 3, 0, "1001");
        bout(2, fixture::kMen60, "YARI FİNAL", "2", kMen[1], kMen[3], "WO", 0, 0, "1002", 2);
        bout(3, fixture::kMen60, "FİNAL", "1", kMen[0], kMen[1], "SAYI", 10, 9, "1003");
        bout(4, fixture::kMen60, "3.'LÜK MAÇI", "1", kMen[2], kMen[3], "", 0, 0, "1004");
        bout(5, fixture::kWomen52, "FİNAL", "1", kWomen[0], kWomen[1], "SAYI", 12, 11, "1005");
        bout(6, kLongClass, "FİNAL", "1", kVeterans[0], kVeterans[1], "SAYI", 8, 7, "1006");
        db.exec("delete * from C_BRANSADI where Durum_Key >= 10");
        int level = 10;
        for (const QString& name : {QStringLiteral("BÜYÜKLER"), QStringLiteral("GENÇLER"), kLongLevel})
            db.insert("C_BRANSADI", {{"Durum_Key", level++}, {"Durum", name}});
        // The title dialog's options as a user leaves them: weights and
        // clubs shown.
        Baslik1S->CheckBox2->setChecked(false);
        Baslik1S->CheckBox3->setChecked(false);
    }

    static QString genderOf(const QString& branch)
    {
        return branch.contains("BAYAN") ? "BAYAN" : "ERKEK";
    }

    void add(const LongAthlete& a, const QString& branch)
    {
        db.insert("C_LISTE", {{"Liste_Key", a.number},
                              {"Brans", branch},
                              {"Cinsiyet", genderOf(branch)},
                              {"Ad", u(a.name)},
                              {"Sira", a.number},
                              {"Onay", a.approved},
                              {"Bolge", u(a.region)},
                              {"BolgeK", u(a.region)},
                              {"Klup", u(a.club)},
                              {"Takim", u(a.team)},
                              {"TartilanKilo", a.weight},
                              {"Musteri_Key", a.number},
                              {"Puan", a.place}});
    }

    // A bout the blue corner won (blue absent: `absent` 2 marks the red
    // corner as not come).
    void bout(int key, const QString& branch, const char* round, const char* order, const LongAthlete& blue,
              const LongAthlete& red, const char* decision, int points1, int points2, const char* ringOrder,
              int absent = 0)
    {
        db.insert("C_KURA", {{"Kura_Key", key},
                 {"Brans", branch},
                 {"Cinsiyet", genderOf(branch)},
                 {"Tur", u(round)},
                 {"Sira", order},
                 {"Ad1", u(blue.name)},
                 {"Bolge1", u(blue.region)},
                 {"Klup1", u(blue.club)},
                 {"Sira1", blue.number},
                 {"Ad2", u(red.name)},
                 {"Bolge2", u(red.region)},
                 {"Klup2", u(red.club)},
                 {"Sira2", red.number},
                 {"Dis2", absent == 2 ? 1 : 0},
                 {"Salon", *decision ? u(blue.name) : QString()},
                 {"Galip", *decision ? QString::number(blue.number) : QString()},
                 {"Karar", u(decision)},
                 {"Puan1", points1},
                 {"Puan2", points2},
                 {"Skor", ringOrder},
                 {"Hakem", kReferee},
                 {"Tar_Saat", kRing}});
    }

    ReportCaller caller()
    {
        ReportCaller c;
        c.window = &screen;
        c.inPreview = &flag;
        return c;
    }

    // The title dialog closed with the typed title.
    static void typedTitle()
    {
        expectTitle([](QDialog*) { Baslik1S->Edit8->setText(kTitle); });
    }

    // Prints the list to `pdf` through its launcher, as the screens do;
    // returns its pages.
    const ReportDocument* print(List list, const QString& pdf)
    {
        switch (list) {
        case List::WeighIn:
            typedTitle();
            expectPreviewSavedAs(pdf);
            Reports::tartiListeleriKategori(caller(), QString(), {});
            return PrintMenu1C->ReportBody1.document().get();
        case List::Bouts:
            typedTitle();
            expectPreviewSavedAs(pdf);
            Reports::kuraListeleri(caller());
            return PrintMenu2C->ReportBody1.document().get();
        case List::Ring:
            typedTitle();
            expectPreviewSavedAs(pdf);
            Reports::ringListesi(caller(), kDay, "RİNG");
            return PrintMenu2C1->ReportBody1.document().get();
        case List::ScoreSheets:
            typedTitle();
            expectPreviewSavedAs(pdf);
            Reports::sonucListeleri(caller());
            return PrintScore->ReportBody1.document().get();
        case List::ResultsWithClubs:
        case List::ResultsInTwoColumns:
            expectPreviewSavedAs(pdf);
            Reports::dereceListesi(caller(), {false, list == List::ResultsWithClubs, kTitle, QString()});
            return PrintMenu1E->ReportBody1.document().get();
        case List::Points:
            expectPreviewSavedAs(pdf);
            Reports::puanlamaListesi(caller(), false, kTitle);
            return RapTakimList->ReportBody1.document().get();
        case List::Statistics:
            typedTitle();
            expectPreviewSavedAs(pdf);
            Reports::istatistikRaporu(caller());
            return PrintMenu3->ReportBody1.document().get();
        case List::Medals: {
            // No command prints the medal table; it runs as its callers would.
            TPrintMenu330& r = *PrintMenu330;
            r.QRLabel9->caption = kTitle;
            r.FFirstRow = 1;
            r.Query2.open();
            EXPECT_TRUE(r.ReportBody1.saveToFile(pdf));
            r.closeDataSets();
            return r.ReportBody1.document().get();
        }
        }
        return nullptr;
    }

    QWidget screen;
    int flag = 0;
};

// The names and regions of every athlete, with their clubs or without.
QStringList athleteValues(bool clubs)
{
    QStringList out;
    auto addAll = [&](const LongAthlete& a) {
        out << u(a.name) << u(a.region);
        if (clubs)
            out << u(a.club);
    };
    for (const LongAthlete& a : kMen)
        addAll(a);
    for (const LongAthlete& a : kWomen)
        addAll(a);
    for (const LongAthlete& a : kVeterans)
        addAll(a);
    return out;
}

struct ListCase {
    const char* name;
    List list;
    std::function<QStringList()> values;
};

void PrintTo(const ListCase& c, std::ostream* os)
{
    *os << c.name;
}

const ListCase kListCases[] = {
    {"WeighInList", List::WeighIn,
     [] {
         return athleteValues(true) << "** DİSKALİFİYE **" << "MÜS.KATILMADI" << "59.85" << "Sp.Sayısı: 4"
                                    << fixture::kMen60 + " TARTI LİSTESİ" << kLongClass + " TARTI LİSTESİ";
     }},
    {"BoutList", List::Bouts,
     [] {
         return athleteValues(true) << "YARI FİNAL 2.MAÇ" << "3.'LÜK MAÇI" << "1/003" << "RSC"
                                    << "KİCK BOKS " + kLongClass + " KURA LİSTESİ";
     }},
    {"RingList", List::Ring,
     [] {
         QStringList v;
         for (const LongAthlete* a : {&kMen[0], &kMen[1], &kMen[2], &kMen[3], &kWomen[0], &kWomen[1], &kVeterans[0],
                                  &kVeterans[1]})
             v << u(a->name) << u(a->region) + ", " + u(a->team);
         return v << "YARI FİNAL 2.MAÇ" << "3.'LÜK MAÇI" << fixture::kMen60 << fixture::kWomen52 << kLongClass
                  << "1003" << "201";
     }},
    {"ScoreSheets", List::ScoreSheets,
     [] { return athleteValues(true) << fixture::kMen60 << kLongClass << kRing << kReferee << "1004" << "SAYI"; }},
    {"ResultsListWithClubs", List::ResultsWithClubs, [] { return athleteValues(true) << kLongClass; }},
    {"ResultsListInTwoColumns", List::ResultsInTwoColumns, [] { return athleteValues(false) << kLongClass; }},
    {"PointsList", List::Points,
     [] {
         QStringList v;
         for (const LongAthlete& a : kMen)
             v << u(a.region) << u(a.team);
         for (const LongAthlete& a : kWomen)
             v << u(a.region) << u(a.team);
         for (const LongAthlete& a : kVeterans)
             v << u(a.region) << u(a.team);
         return v;
     }},
    {"Statistics", List::Statistics,
     [] { return QStringList{fixture::kMen60, fixture::kWomen52, kLongClass, kLongLevel, "GENEL TOPLAM :"}; }},
    {"MedalTable", List::Medals,
     [] {
         QStringList v;
         for (const LongAthlete& a : kMen)
             v << u(a.region);
         for (const LongAthlete& a : kWomen)
             v << u(a.region);
         for (const LongAthlete& a : kVeterans)
             v << u(a.region);
         return v;
     }},
};

class LongListValue : public LongListValues, public ::testing::WithParamInterface<ListCase> {};

TEST_P(LongListValue, EveryValuePrintsWholeInItsOwnColumn)
{
    const ListCase& c = GetParam();
    const QString pdf = dir.filePath(QString(c.name) + ".pdf");
    const ReportDocument* doc = print(c.list, pdf);
    ASSERT_NE(doc, nullptr);
    ASSERT_GT(doc->pageCount(), 0);
    // To look at a list: BRIVEX_LIST_PDF=/tmp/list (one PDF per case).
    if (qEnvironmentVariableIsSet("BRIVEX_LIST_PDF")) {
        const QString copy = qEnvironmentVariable("BRIVEX_LIST_PDF") + "-" + c.name + ".pdf";
        QFile::remove(copy);
        QFile::copy(pdf, copy);
    }

    EXPECT_EQ(clippedTexts(*doc), QStringList());
    const QStringList prints = printsOf(*doc);
    const QString text = fixture::pdfText(pdf);
    QStringList lacking;
    for (const QString& v : c.values()) {
        const QString lack = lackOf(prints, text, v);
        if (!lack.isEmpty())
            lacking << lack;
    }
    EXPECT_EQ(lacking, QStringList()) << text.toStdString();
}

// The results list lays its columns out anew when the club column comes
// or goes: the fitted cells follow each layout, run after run.
TEST_F(LongListValues, ResultsListCellsFollowTheClubColumn)
{
    for (const bool clubs : {true, false, true}) {
        const QString pdf = dir.filePath(QString("results-%1.pdf").arg(clubs));
        const ReportDocument* doc = print(clubs ? List::ResultsWithClubs : List::ResultsInTwoColumns, pdf);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(clippedTexts(*doc), QStringList()) << "clubs " << clubs;
        // The name column: 70 mm with clubs, 44 mm in two page columns,
        // less the column's rules and the blank before the next column.
        const ReportItem* name = doc->pages[0].find("QRDBText1");
        ASSERT_NE(name, nullptr);
        EXPECT_NEAR(name->rect.width(), clubs ? 67 : 41, 0.01) << "clubs " << clubs;
        const QString text = fixture::pdfText(pdf);
        EXPECT_EQ(lackOf(printsOf(*doc), text, u(kMen[3].name)), "") << text.toStdString();
        EXPECT_EQ(text.contains(u(kMen[3].club)), clubs) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, LongListValue, ::testing::ValuesIn(kListCases),
                         [](const ::testing::TestParamInfo<ListCase>& i) { return std::string(i.param.name); });

} // namespace
