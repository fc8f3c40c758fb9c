// The bracket charts with realistic entries: long names, regions and clubs,
// drawn with the real draw and fought to the final. Every name, club, bout
// number and winner prints whole (no text cut off at its box, none printed
// over another, all on the page), the typed title is on the page, the
// landscape chart draws its final, and its dense rows keep their height.
#include "ScoringFixture.h"

#include "platform/report/ReportFonts.h"
#include "reports/PrintMenu2D.h"
#include "reports/PrintMenu2D_1.h"
#include "reports/PrintMenuR.h"
#include "scoring/Advancement.h"
#include "scoring/BracketChartData.h"
#include "scoring/KuraDraw.h"
#include "scoring/RandomSource.h"
#include "support/PrintedTexts.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

const char* const kChartNames[] = {
    "MEHMET ALİ KARAHASANOĞLU", "ABDULLAH EMRE ÇAKIROĞLU",   "MUSTAFA KEMAL ÖZTÜRKMEN",  "HÜSEYİN CAHİT GÜLTEKİNOĞLU",
    "AHMET BURAK KÜÇÜKKAYA",    "İBRAHİM HALİL ŞAHİNBAŞ",   "YUSUF ZİYA DEMİRKIRAN",    "ÖMER FARUK AKTAŞOĞLU",
    "MUHAMMED ENES YILDIZHAN",  "RECEP TAYYİP KARADENİZ",   "OSMAN NURİ BÜYÜKKÖSE",     "FATİH SULTAN ERDOĞMUŞ",
    "SÜLEYMAN ŞAH KOCABIYIK",   "KADİR CAN ÇALIŞKANOĞLU",   "HASAN HÜSEYİN TOPÇUOĞLU",  "MEHMET AKİF ERSOYLU",
    "EYÜP SABRİ KARAMANOĞLU",   "ALİ RIZA HACIOSMANOĞLU",   "BATUHAN ALPEREN GÖKTÜRK",  "CEMALETTİN UĞUR ÖZKAYNAK",
    "DOĞUKAN BERKAY SARIKAYA",  "EMİRHAN ÇAĞATAY BOZKURT",  "FURKAN MERT KAHRAMANLI",   "GÖKHAN ERTUĞRUL AYDEMİR",
    "HALİL İBRAHİM ÇİFTÇİOĞLU", "İSMAİL HAKKI DOĞANAY",     "KEREM YİĞİT KARAKAŞLI",    "MUHAMMET ŞÜKRÜ TAŞDEMİR",
    "NECMETTİN ERBAY ÖZGÜVEN",  "ONUR SERHAT KOÇYİĞİTOĞLU", "PERTEV ŞEVKİ ALTUNBAŞAK", "SELAHATTİN EYYUBİ ÇELİK",
    "TUNCAY BORA İNCEKARALAR"};
const char* const kChartRegions[] = {"RİZE",      "KONYA",     "KAHRAMANMARAŞ", "AFYONKARAHİSAR",
                                     "İSTANBUL", "ŞANLIURFA", "ÇANAKKALE"};
const char* const kChartClubs[] = {"KONYA GENÇLİK SPOR KULÜBÜ", "KAHRAMANMARAŞ BÜYÜKŞEHİR BELEDİYESPOR",
                                   "RİZE ÇAYELİ GENÇLİK VE SPOR KULÜBÜ", "İSTANBUL ÜSKÜDAR DÖVÜŞ SANATLARI SK",
                                   "ÇANAKKALE ONSEKİZ MART ÜNİVERSİTESİ SK"};
const QString kTypedTitle = QStringLiteral("TÜRKİYE KİCK BOKS ŞAMPİYONASI");

// The part of the page a text item's letters cover (its line box, as wide
// as the text, placed by its alignment).
QRectF chartInk(const ReportItem& i)
{
    const double w = ReportFonts::textWidth(i.font, i.text);
    double x = i.rect.left();
    if (i.alignment & Qt::AlignRight)
        x = i.rect.right() - w;
    else if (i.alignment & Qt::AlignHCenter)
        x = i.rect.center().x() - w / 2;
    return QRectF(x, i.rect.top(), w, i.rect.height());
}

// Every text of the pages is whole: not cut at its box, on the page, and
// clear of every other text.
void expectTextsWhole(const ReportDocument& doc)
{
    for (const ReportPage& page : doc.pages) {
        std::vector<std::pair<QRectF, const ReportItem*>> inks;
        for (const ReportItem& i : page.items) {
            if (i.kind != ReportItem::Text || i.text.trimmed().isEmpty())
                continue;
            EXPECT_TRUE(i.clip.isNull()) << "cut off: " << i.name << " \"" << i.text << "\" on page " << page.number
                                         << " at " << i.rect.x() << "," << i.rect.y() << " " << i.rect.width() << "x"
                                         << i.rect.height() << " clip " << i.clip.x() << "," << i.clip.y() << " "
                                         << i.clip.width() << "x" << i.clip.height();
            const QRectF ink = chartInk(i);
            EXPECT_TRUE(QRectF(QPointF(0, 0), page.size).contains(ink))
                << "off the page: " << i.name << " \"" << i.text << "\"";
            inks.emplace_back(ink.adjusted(0.05, 0.05, -0.05, -0.05), &i);
        }
        for (size_t a = 0; a < inks.size(); ++a)
            for (size_t b = a + 1; b < inks.size(); ++b)
                EXPECT_FALSE(inks[a].first.intersects(inks[b].first))
                    << "over each other on page " << page.number << ": " << inks[a].second->name << " \""
                    << inks[a].second->text << "\" and " << inks[b].second->name << " \"" << inks[b].second->text
                    << "\"";
    }
}

// The texts a label printed on a page, each print's lines joined by a blank
// (the lines of one print follow one another without a gap).
QStringList chartPrints(const ReportPage& page, const QString& label)
{
    QStringList prints;
    const ReportItem* previous = nullptr;
    for (const ReportItem* i : page.findAll(label)) {
        if (i->kind != ReportItem::Text)
            continue;
        if (previous && std::abs(i->rect.top() - previous->rect.bottom()) < 0.001 &&
            std::abs(i->rect.left() - previous->rect.left()) < 0.001)
            prints.last() += ' ' + i->text;
        else
            prints << i->text;
        previous = i;
    }
    return prints;
}

// The distances between the athletes' lines of a page, in rows of `row` px.
QList<double> chartLineSteps(const ReportPage& page, double row)
{
    QList<double> tops;
    for (const ReportItem* i : page.findAll("QRLabel1"))
        if (i->kind == ReportItem::Line)
            tops << i->rect.top();
    std::sort(tops.begin(), tops.end());
    QList<double> steps;
    for (int k = 1; k < tops.size(); ++k)
        steps << (tops[k] - tops[k - 1]) / px(row);
    return steps;
}

enum class Chart { Portrait, Landscape };

struct ChartTextCase {
    const char* name;
    Chart chart;
    int entrants;
    int pages;
    bool drawNumbers;   // "Sırt Numarası Yaz": winners as back numbers
};

void PrintTo(const ChartTextCase& c, std::ostream* os)
{
    *os << c.name;
}

class BracketChartText : public ScoringTest, public ::testing::WithParamInterface<ChartTextCase> {
protected:
    // `count` athletes with long names, regions and clubs, drawn, every bout
    // numbered "1" + three digits and fought (the lower back number wins).
    void drawAndFight(int count)
    {
        {
            Transaction tx(db);
            for (int i = 0; i < count; ++i) {
                const QString region = QString::fromUtf8(kChartRegions[i % 7]);
                const int number = addEntrant(QString::fromUtf8(kChartNames[i % 33]), region, kBranch, kMen, 1,
                                              QString::fromUtf8(kChartClubs[i % 5]));
                db.exec("update C_LISTE set BolgeK = :k where Sira = :s", {{"k", region}, {"s", number}});
            }
            tx.commit();
        }
        SeededRandom random(7);
        KuraDraw d(db, *state, random);
        d.today = [] { return kDrawDay; };
        ASSERT_TRUE(d.KuraCek(kBranch, kMen));
        int match = 0;
        for (const Record& b : bouts())
            db.exec("update C_KURA set Skor = :s where Kura_Key = :k",
                    {{"s", QString("1%1").arg(++match, 3, 10, QChar('0'))}, {"k", b.toInt("Kura_Key")}});
        Advancement advancement(db, *state);
        for (const Record& row : bouts()) {
            const Record b = bout(row.toInt("Kura_Key"));
            if (b.str("Tur") == Rounds::ThirdPlace || b.isNull("Sira1") || b.isNull("Sira2") ||
                !b.str("Galip").isEmpty())
                continue;
            const QString side = b.toInt("Sira1") < b.toInt("Sira2") ? "1" : "2";
            state->FWinnerNo = b.str("Sira" + side);
            state->FWinnerName = b.str("Ad" + side);
            ASSERT_TRUE(advancement.GalipIs(b.toInt("Kura_Key")));
        }
    }

    QTemporaryDir out;
};

TEST_P(BracketChartText, EveryNameClubNumberAndWinnerPrintsWhole)
{
    const ChartTextCase& c = GetParam();
    drawAndFight(c.entrants);
    BracketChart::Options o;
    o.club = true;
    o.drawNumbers = c.drawNumbers;

    const QString pdf = out.filePath("chart.pdf");
    const ReportDocument* doc = nullptr;
    TPrintMenu2D portrait;
    TPrintMenu2D_1 landscape;
    if (c.chart == Chart::Portrait) {
        ASSERT_EQ(BracketChartData::fillPortrait(db, *state, kBranch, kMen, o, kTypedTitle, portrait), "");
        ASSERT_TRUE(portrait.ReportBody1.saveToFile(pdf));
        doc = portrait.ReportBody1.document().get();
    } else {
        ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, o, kTypedTitle, landscape), "");
        ASSERT_TRUE(landscape.ReportBody1.saveToFile(pdf));
        doc = landscape.ReportBody1.document().get();
    }
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->pageCount(), c.pages);
    // To look at a chart: BRIVEX_CHART_PDF=/tmp/chart (one PDF per case).
    if (qEnvironmentVariableIsSet("BRIVEX_CHART_PDF")) {
        const QString copy = qEnvironmentVariable("BRIVEX_CHART_PDF") + "-" + c.name + ".pdf";
        QFile::remove(copy);
        QFile::copy(pdf, copy);
    }

    expectTextsWhole(*doc);

    const QString text = pdftotext(pdf);
    QStringList expected{kTypedTitle};
    for (const Record& r : db.select("select Ad, Klup from C_LISTE where Ad <> :bye", {{"bye", Bye::Name}}))
        expected << r.str("Ad") << r.str("Klup");
    const Records all = bouts();
    QString finalWinner;
    for (const Record& b : all) {
        if (b.str("Tur") == Rounds::ThirdPlace)
            continue;
        expected << b.str("Skor");
        if (b.str("Tur") == Rounds::Final)
            finalWinner = b.str(c.drawNumbers ? "Galip" : "Salon");
    }
    ASSERT_FALSE(finalWinner.isEmpty());
    // The landscape chart adds the winner's region.
    expected << (c.chart == Chart::Landscape ? finalWinner + " (" + QString::fromUtf8(kChartRegions[0]) + ")"
                                             : finalWinner);
    expected.removeDuplicates();
    for (const QString& e : expected)
        EXPECT_TRUE(text.contains(e)) << "not found whole: " << e << "\n" << text;

    // Every winner shown is the bout's whole winner text.
    const QList<BracketChart::Row>& rows = c.chart == Chart::Portrait ? portrait.rows() : landscape.rows();
    QSet<QString> winners;
    for (const BracketChart::Row& r : rows)
        for (const BracketChart::Side* s : {&r.left, &r.right})
            for (int j = 0; j < BracketChart::kColumns; ++j)
                if (s->bout[size_t(j)] != 0 && !s->winner[size_t(j)].isEmpty())
                    winners << s->winner[size_t(j)];
    EXPECT_FALSE(winners.isEmpty());
    QStringList printedWinners;
    for (const ReportPage& page : doc->pages)
        for (int n = 65; n <= 73; ++n)
            for (const QString& suffix : {QString(), QString("_")})
                printedWinners << chartPrints(page, "QRLabel" + QString::number(n) + suffix);
    EXPECT_FALSE(printedWinners.isEmpty());
    for (const QString& w : printedWinners)
        EXPECT_TRUE(winners.contains(w)) << "a winner printed in part: \"" << w << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Entrants, BracketChartText,
    ::testing::Values(ChartTextCase{"Portrait3", Chart::Portrait, 3, 1, false},
                      ChartTextCase{"Portrait8", Chart::Portrait, 8, 1, false},
                      ChartTextCase{"Portrait17", Chart::Portrait, 17, 2, false},
                      ChartTextCase{"Portrait33", Chart::Portrait, 33, 3, false},
                      ChartTextCase{"Landscape3", Chart::Landscape, 3, 1, false},
                      ChartTextCase{"Landscape8", Chart::Landscape, 8, 1, false},
                      ChartTextCase{"Landscape17", Chart::Landscape, 17, 1, false},
                      ChartTextCase{"Landscape33", Chart::Landscape, 33, 1, false},
                      ChartTextCase{"Landscape33BackNumbers", Chart::Landscape, 33, 1, true}),
    [](const ::testing::TestParamInfo<ChartTextCase>& info) { return std::string(info.param.name); });

class BracketChartLayout : public BracketChartText {};

TEST_F(BracketChartLayout, LandscapeOfMoreThan32SlotsPrintsRowsOfTenOnOnePage)
{
    drawAndFight(33);
    ASSERT_EQ(state->FAthleteCount, 33);
    TPrintMenu2D_1 chart;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, kTypedTitle, chart), "");
    EXPECT_EQ(chart.FSlotCount, 64);
    const ReportDocument& doc = chart.ReportBody1.run();
    ASSERT_EQ(doc.pageCount(), 1);
    // Byes fill every slot: the athletes' lines are two rows of 10 apart.
    const QList<double> steps = chartLineSteps(doc.pages[0], 10);
    ASSERT_EQ(steps.size(), 31);
    for (double s : steps)
        EXPECT_NEAR(s, 2, 1e-6);
    // The bout numbers below the lines stay inside their rows: none is cut.
    int numbers = 0;
    for (int n = 56; n <= 64; ++n)
        for (const QString& suffix : {QString(), QString("_")})
            for (const ReportItem* i : doc.pages[0].findAll("QRLabel" + QString::number(n) + suffix))
                if (i->kind == ReportItem::Text) {
                    ++numbers;
                    EXPECT_TRUE(i->clip.isNull()) << i->text;
                }
    EXPECT_EQ(numbers, 62) << "every bout but the final at the joins, the final in the centre";
    ASSERT_NE(doc.pages[0].find("FinalNoLabel"), nullptr);
}

TEST_F(BracketChartLayout, LandscapeOfUpTo32SlotsPrintsRowsOfSixteen)
{
    drawAndFight(17);
    TPrintMenu2D_1 chart;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, kTypedTitle, chart), "");
    EXPECT_EQ(chart.FSlotCount, 32);
    const ReportDocument& doc = chart.ReportBody1.run();
    for (double s : chartLineSteps(doc.pages[0], 16))
        EXPECT_NEAR(s, 2, 1e-6);
}

TEST_F(BracketChartLayout, TheLandscapeFinalMeetsInTheCentre)
{
    drawAndFight(8);
    TPrintMenu2D_1 chart;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, kTypedTitle, chart), "");
    const ReportDocument& doc = chart.ReportBody1.run();
    const Record final = db.first("select * from C_KURA where Tur = :t", {{"t", Rounds::Final}}).value_or(Record());
    const ReportItem* number = doc.pages[0].find("FinalNoLabel");
    const ReportItem* winner = doc.pages[0].find("FinalWinnerLabel");
    ASSERT_NE(number, nullptr);
    ASSERT_NE(winner, nullptr);
    EXPECT_EQ(number->text, final.str("Skor"));
    EXPECT_EQ(winner->text, final.str("Salon") + " (" + QString::fromUtf8(kChartRegions[0]) + ")");
    // Both centred on the page, the winner above the number.
    const double centre = doc.pageSize.width() / 2;
    EXPECT_NEAR(number->rect.center().x(), centre, 0.5);
    EXPECT_NEAR(winner->rect.center().x(), centre, 0.5);
    EXPECT_LT(winner->rect.bottom(), number->rect.top());
    // The finalists' lines run on to the centre from both sides.
    bool leftReaches = false, rightReaches = false;
    for (const ReportItem& i : doc.pages[0].items) {
        if (i.kind != ReportItem::Line || std::abs(i.line.y1() - i.line.y2()) > 1e-6)
            continue;
        const double y = i.line.y1();
        if (std::abs(y - number->rect.top()) > 1)
            continue;
        leftReaches = leftReaches || std::abs(std::max(i.line.x1(), i.line.x2()) - centre) < 0.01;
        rightReaches = rightReaches || std::abs(std::min(i.line.x1(), i.line.x2()) - centre) < 0.01;
    }
    EXPECT_TRUE(leftReaches);
    EXPECT_TRUE(rightReaches);
}

TEST_F(BracketChartLayout, ALandscapeChartOfThreeOnPortraitPaperKeepsItsHeaderOnThePage)
{
    drawAndFight(3);
    TPrintMenu2D_1 chart;
    ASSERT_EQ(BracketChartData::fillLandscape(db, *state, kBranch, kMen, {}, kTypedTitle, chart), "");
    const QString pdf = out.filePath("three.pdf");
    ASSERT_TRUE(chart.ReportBody1.saveToFile(pdf));
    const auto doc = chart.ReportBody1.document();
    EXPECT_LT(doc->pageSize.width(), doc->pageSize.height()) << "portrait paper";
    const QRectF page(QPointF(0, 0), doc->pageSize);
    for (const ReportItem& i : doc->pages[0].items) {
        if (i.kind == ReportItem::Text || i.kind == ReportItem::Rect) {
            EXPECT_TRUE(page.contains(i.rect)) << i.name << " " << i.text;
        }
    }
    const QString text = pdftotext(pdf);
    EXPECT_TRUE(text.contains(QRegularExpression("Page: 1\\s*/\\s*1"))) << text;
    EXPECT_TRUE(text.contains(kTypedTitle)) << text;
    // Its final is the second join: its number and winner are printed.
    const Record final = db.first("select * from C_KURA where Tur = :t", {{"t", Rounds::Final}}).value_or(Record());
    EXPECT_TRUE(text.contains(final.str("Skor"))) << text;
    EXPECT_TRUE(text.contains(final.str("Salon"))) << text;
}

TEST_F(BracketChartLayout, RepechageLaddersPrintTheirNamesAndWinnersWhole)
{
    const QStringList names{QString::fromUtf8(kChartNames[0]), QString::fromUtf8(kChartNames[1]),
                            QString::fromUtf8(kChartNames[2]), QString::fromUtf8(kChartNames[3]),
                            QString::fromUtf8(kChartNames[4])};
    QList<int> numbers;
    for (int i = 0; i < 5; ++i)
        numbers << addEntrant(names[i], QString::fromUtf8(kChartRegions[i]));
    auto add = [&](int key, const char* pool, int a, int b, int winner) {
        db.insert("C_KURA", {{"Kura_Key", key}, {"Brans", kBranch}, {"Cinsiyet", kMen}, {"Tur", Rounds::ThirdPlace},
                             {"Grup", pool}, {"Ad1", names[a]}, {"Sira1", numbers[a]}, {"Ad2", names[b]},
                             {"Sira2", numbers[b]}, {"Salon", names[winner]},
                             {"Galip", QString::number(numbers[winner])}});
    };
    add(1, "A", 0, 1, 0);
    add(2, "A", 0, 2, 2);
    add(3, "A", 2, 3, 3);
    add(4, "B", 4, 1, 4);
    TPrintMenuR chart;
    ASSERT_EQ(BracketChartData::fillRepechage(db, kBranch, kMen, {}, kTypedTitle, chart), "");
    const QString pdf = out.filePath("r.pdf");
    ASSERT_TRUE(chart.ReportBody1.saveToFile(pdf));
    if (qEnvironmentVariableIsSet("BRIVEX_CHART_PDF")) {
        const QString copy = qEnvironmentVariable("BRIVEX_CHART_PDF") + "-Repechage.pdf";
        QFile::remove(copy);
        QFile::copy(pdf, copy);
    }
    expectTextsWhole(*chart.ReportBody1.document());
    const QString text = pdftotext(pdf);
    for (const QString& e : QStringList{kTypedTitle, names[0] + " (" + QString::fromUtf8(kChartRegions[0]) + ")",
                                        names[1] + " (" + QString::fromUtf8(kChartRegions[1]) + ")",
                                        names[4] + " (" + QString::fromUtf8(kChartRegions[4]) + ")"})
        EXPECT_TRUE(text.contains(e)) << e << "\n" << text;
    // The winners in the ladders' narrow columns, every line of them.
    QStringList winners;
    for (int n = 65; n <= 72; ++n)
        winners << chartPrints(chart.ReportBody1.document()->pages[0], "QRLabel" + QString::number(n));
    EXPECT_TRUE(winners.contains(names[3] + " (" + QString::fromUtf8(kChartRegions[3]) + ")")) << winners.join('|');
}

} // namespace
