// Fitting a text into a box: in its design size when it fits, else in
// smaller type, else broken into lines at its blanks, a word broken only
// when it alone is too wide; never shortened.
#include "platform/report/Report.h"
#include "platform/report/ReportFonts.h"
#include "reports/FitText.h"

#include <gtest/gtest.h>

#include "support/Printers.h"

namespace {

struct FitCase {
    const char* name;
    const char* text;
    double width;        // mm
    double height;       // mm; 0: no limit
    int lines;           // expected lines (0: several)
    bool designSize;     // printed in the design size (8 points)
    bool wordsWhole;     // every line is whole words of the text
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << c.name;
}

class FitTextCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTextCases, KeepsEveryLetterInsideTheBox)
{
    const FitCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    const FitText::Fit f = FitText::fit(QFont("DejaVu Sans", 8), text, c.width, c.height);
    if (c.lines > 0) {
        EXPECT_EQ(f.lines.size(), c.lines) << f.lines.join('|');
    } else {
        EXPECT_GT(f.lines.size(), 1) << f.lines.join('|');
    }
    EXPECT_EQ(f.font.pointSizeF() == 8, c.designSize) << f.font.pointSizeF();
    EXPECT_LE(f.font.pointSizeF(), 8);
    const QFont measured = ReportFonts::resolve(f.font);
    for (const QString& line : f.lines)
        EXPECT_LE(ReportFonts::textWidth(measured, line), c.width) << line;
    if (c.height > 0) {
        EXPECT_LE(f.height(), c.height);
    }
    // Nothing is left out.
    QString joined = f.lines.join(c.wordsWhole ? " " : "");
    QString whole = text;
    whole.replace('\n', c.wordsWhole ? " " : "");
    EXPECT_EQ(joined, whole);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, FitTextCases,
    ::testing::Values(FitCase{"FitsAsItIs", "ALİ VELİ", 50, 0, 1, true, true},
                      FitCase{"InSmallerType", "MEHMET ALİ KARAHASANOĞLU", 30, 3.5, 1, false, true},
                      FitCase{"BrokenAtBlanks", "MEHMET ALİ KARAHASANOĞLU (RİZE)", 16, 12, 3, false, true},
                      FitCase{"ItsOwnLinesKept", "ŞAMPİYONA\n05 - 07 MART 2026  ANKARA", 100, 0, 2, true, true},
                      FitCase{"AWordAloneTooWideIsBroken", "KARAHASANOĞLUKARAHASANOĞLUKARAHASANOĞLU", 8, 12, 0,
                              false, false}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(FitText, NeverShortensATextEvenWhereTheBoxIsTooSmall)
{
    const QString text = QString::fromUtf8("KAHRAMANMARAŞ BÜYÜKŞEHİR BELEDİYESPOR KULÜBÜ");
    const FitText::Fit f = FitText::fit(QFont("DejaVu Sans", 8), text, 4, 1);
    QString joined = f.lines.join("");
    QString whole = text;
    EXPECT_EQ(joined.remove(' '), whole.remove(' '));
}

TEST(FitText, ANarrowerFaceKeepsTheLargerType)
{
    FitText::Limits limits;
    limits.narrow = ReportFonts::kCondensed;
    const QString text = QString::fromUtf8("KAHRAMANMARAŞ, RİZE ÇAYELİ GENÇLİK VE SPOR KULÜBÜ");
    const FitText::Fit wide = FitText::fit(QFont("DejaVu Sans", 6), text, 47, 3.3);
    const FitText::Fit narrow = FitText::fit(QFont("DejaVu Sans", 6), text, 47, 3.3, limits);
    EXPECT_EQ(narrow.lines.size(), 1);
    EXPECT_EQ(ReportFonts::resolve(narrow.font).family(), ReportFonts::kCondensed);
    EXPECT_GT(narrow.font.pointSizeF(), wide.font.pointSizeF());
    // A text that fits keeps its face.
    EXPECT_EQ(FitText::fit(QFont("DejaVu Sans", 6), "RİZE", 47, 3.3, limits).font.family(), "DejaVu Sans");
}

TEST(FitText, ALabelPrintsItsCallersTextAgainAtEveryRun)
{
    Report r;
    ReportBand* band = r.addBand(ReportBand::Title, "TitleBand1", 20);
    ReportLabel* label = band->addLabel("QRLabel10", {10, 2, 30, 10});
    label->font = QFont("DejaVu Sans", 10);
    FitText::Box box(label, FitText::Middle);
    label->caption = QString::fromUtf8("TÜRKİYE KİCK BOKS FEDERASYONU ŞAMPİYONASI");
    box.fit();
    const QString first = label->caption;
    EXPECT_TRUE(first.contains('\n')) << "broken into lines";
    EXPECT_NEAR(label->rect.center().y(), 7, 1e-6) << "about its box's middle";
    box.fit();
    EXPECT_EQ(label->caption, first) << "the same text fitted again";
    label->caption = "KISA";
    box.fit();
    EXPECT_EQ(label->caption, "KISA");
    EXPECT_EQ(label->font.pointSizeF(), 10);
    EXPECT_EQ(r.run().pages[0].find("QRLabel10")->text, "KISA");
}

} // namespace
