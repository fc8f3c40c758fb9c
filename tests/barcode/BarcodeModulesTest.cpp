// The generator without painting: module strings, what the encoders store
// back into Text, check characters, refusals, ratio ranges and Modul limits.
#include "reports/barcode/Barcode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Published element widths (bar first) as module characters.
QString bars(const QString& widths)
{
    QString out;
    bool bar = true;
    for (QChar w : widths) {
        out += QChar((bar ? '5' : '0') + w.unicode() - '1');
        bar = !bar;
    }
    return out;
}

QString modulesOf(TBarcodeType typ, const QString& text, bool checksum = false)
{
    TBarcode b;
    b.setTyp(typ);
    b.setText(text);
    b.setChecksum(checksum);
    return b.BuildModules();
}

QString errorOf(TBarcode& b)
{
    try {
        b.BuildModules();
    } catch (const EBarcodeError& e) {
        return e.Message();
    }
    return "<no error>";
}

QString errorOf(TBarcodeType typ, const QString& text, bool checksum = false,
                TCheckSumMethod method = csmModulo10)
{
    TBarcode b;
    b.setTyp(typ);
    b.setText(text);
    b.setChecksum(checksum);
    b.CheckSumMethod = method;
    return errorOf(b);
}

// The Code 128 value of the check character: the eleven modules before the
// stop pattern, given as widths.
QString code128CheckWidths(const QString& modules)
{
    QString widths;
    for (QChar m : modules)
        widths += QChar('1' + (m.unicode() >= '5' ? m.unicode() - '5' : m.unicode() - '0'));
    return widths.mid(widths.size() - 7 - 6, 6);
}

// --- Code 128 and EAN-128 -----------------------------------------------------

TEST(BarcodeModules, RegisterNumberAsEan128AIsStartAFnc1SevenDigitsCheckAndStop)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128A);
    b.setText("0000000");
    const QString digitZero = "123122";   // value 16
    EXPECT_EQ(b.BuildModules(),
              bars("211412" "411131" + digitZero.repeated(7) + "132131" "2331112"));
    EXPECT_EQ(b.Width(), 123);
    EXPECT_EQ(b.Text(), "0000000");
}

TEST(BarcodeModules, Ean128ACheckCharacterOfTheRegisterNumbers)
{
    // value 44 and value 6 of the published table
    EXPECT_EQ(code128CheckWidths(modulesOf(bcCodeEAN128A, "0000000")), "132131");
    EXPECT_EQ(code128CheckWidths(modulesOf(bcCodeEAN128A, "1234567")), "122213");
    EXPECT_EQ(modulesOf(bcCodeEAN128A, "1234567"),
              bars("211412" "411131" "123221" "223211" "221132" "221231" "213212" "223112" "312131" "122213" "2331112"));
}

TEST(BarcodeModules, Ean128AEncodesLowerCaseLettersInCodeSetB)
{
    // Start A, FNC1, switch to code set B (100), "a" = 65, "b" = 66, and the
    // check value (103 + 102 + 200 + 195 + 264) mod 103 = 40.
    EXPECT_EQ(modulesOf(bcCodeEAN128A, "ab"),
              bars("211412" "411131" "114131" "121124" "121421" "231113" "2331112"));
    // Set A characters before the first lower-case letter stay in set A.
    EXPECT_EQ(modulesOf(bcCodeEAN128A, "1a").left(4 * 6), bars("211412" "411131" "123221" "114131"));
}

TEST(BarcodeModules, Ean128ChecksumAddsTheDigitForTheSymbolOnly)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128A);
    b.setText("1234567");
    b.setChecksum(true);
    const int withCheck = b.Width();
    EXPECT_EQ(withCheck, 123 + 11);
    EXPECT_EQ(b.Text(), "1234567");
    EXPECT_EQ(b.Width(), withCheck);
    // csmNone adds nothing.
    b.CheckSumMethod = csmNone;
    EXPECT_EQ(b.Width(), 123);
}

TEST(BarcodeModules, Code128CPadsAnOddNumberOfDigitsAndEncodesPairs)
{
    TBarcode b;
    b.setTyp(bcCode128C);
    b.setText("12345");
    // Start C, 01, 23, 45, check (105 + 1 + 46 + 135) mod 103 = 81, stop.
    EXPECT_EQ(b.BuildModules(), bars("211232" "222122" "312131" "113123" "121142" "2331112"));
    EXPECT_EQ(b.Text(), "012345");
}

TEST(BarcodeModules, Ean128CWithChecksumPadsTheSymbolNotTheText)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128C);
    b.setText("1234");
    b.setChecksum(true);   // 12348 -> 012348
    const int w = b.Width();
    EXPECT_EQ(b.Text(), "1234");
    EXPECT_EQ(w, 11 * 2 + 3 * 11 + 11 + 13);
    EXPECT_EQ(b.Width(), w);
}

// --- 2 of 5 ---------------------------------------------------------------------

TEST(BarcodeModules, TwoOfFiveInterleavedPairsBarsWithSpaces)
{
    // 1 = 10001 as bars, 2 = 01001 as spaces; 3 = 11000 with 4 = 00101;
    // 5 = 10100 with 6 = 01100.
    EXPECT_EQ(modulesOf(bcCode_2_5_interleaved, "123456"),
              "5050" "6051505061" "6060515051" "6051615050" "605");
}

TEST(BarcodeModules, TwoOfFiveInterleavedRefusesAnOddNumberOfDigits)
{
    EXPECT_EQ(errorOf(bcCode_2_5_interleaved, "12345"), "2_5_interleaved barkodu çift sayıda rakam ister.");
}

TEST(BarcodeModules, TwoOfFiveIndustrialAndMatrixDigits)
{
    EXPECT_EQ(modulesOf(bcCode_2_5_industrial, "1"), "606050" "6050505060" "605060");
    // Matrix: bars 1, 3, 5 and spaces 2, 4 of 0 = 00110, the start bar w2.
    EXPECT_EQ(modulesOf(bcCode_2_5_matrix, "0"), "705050" "50615" "0" "70505");
}

// --- EAN and UPC ------------------------------------------------------------------

TEST(BarcodeModules, Ean13PadsThreeDigitsToTenZerosAnd123)
{
    TBarcode b;
    b.setTyp(bcCodeEAN13);
    b.setText("123");
    const QString zeroA = "2605", zeroC = "7150";   // 0001101 and 1110010
    EXPECT_EQ(b.BuildModules(),
              "505" + zeroA.repeated(6) + "05050" + zeroC.repeated(3) + "6160" "6061" "5350" "505");
    EXPECT_EQ(b.Text(), "123");
    EXPECT_EQ(b.Width(), 95);
}

struct Refusal {
    TBarcodeType typ;
    const char* text;
    bool checksum;
    TCheckSumMethod method;
    const char* message;   // the whole message, or its start when it ends in "..."
};

class BarcodeRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(BarcodeRefusals, RefusedWithItsMessage)
{
    const Refusal& r = GetParam();
    const QString message = errorOf(r.typ, QString::fromUtf8(r.text), r.checksum, r.method);
    QString expected = QString::fromUtf8(r.message);
    if (expected.endsWith("...")) {
        expected.chop(3);
        EXPECT_TRUE(message.startsWith(expected)) << message.toStdString();
        EXPECT_TRUE(message.contains("Barcode.cpp, line ")) << message.toStdString();
    } else {
        EXPECT_EQ(message, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BarcodeRefusals,
    ::testing::Values(
        Refusal{bcCodeEAN13, "12345A", false, csmModulo10, "Barcode must be numeric"},
        Refusal{bcCodeEAN13, "12345678901234", false, csmModulo10, "Invalid Text len (EAN13) ..."},
        // Checksum on without a method leaves 12 digits.
        Refusal{bcCodeEAN13, "123456789012", true, csmNone, "Invalid Text len (EAN13) ..."},
        Refusal{bcCodeEAN8, "123456789", false, csmModulo10, "Invalid Text len (EAN8) ..."},
        // Eight digits with a check digit to add would be nine; none is dropped.
        Refusal{bcCodeEAN8, "12345670", true, csmModulo10, "Invalid Text len (EAN8) ..."},
        Refusal{bcCodeUPC_A, "1234567890123", false, csmModulo10, "Invalid Text len (UPC_A) ..."},
        Refusal{bcCodeUPC_E0, "12345678", false, csmModulo10, "Invalid Text len (UPC_E0) ..."},
        Refusal{bcCodeUPC_Supp2, "123", false, csmModulo10, "Invalid Text len (UPC Supp2) ..."},
        Refusal{bcCodeUPC_Supp5, "123456", false, csmModulo10, "Invalid Text len (UPC Supp5) ..."},
        Refusal{bcCode128C, "12 34", false, csmModulo10, "Barcode must be numeric"},
        Refusal{bcCodeMSI, "-1", false, csmModulo10, "Barcode must be numeric"},
        Refusal{bcCode93, "ab", false, csmModulo10, "TBarcode:Code93 bad Data <ab>"},
        Refusal{bcCode39, "Kart a", false, csmModulo10, "Code39 barkodunda \"a\" karakteri kodlanamaz."},
        Refusal{bcCode39, "A*B", false, csmModulo10, "Code39 barkodunda \"*\" karakteri kodlanamaz."},
        Refusal{bcCode39Extended, "Kemal Şahin", false, csmModulo10,
                "Code39 Extended barkodunda \"Ş\" karakteri kodlanamaz."},
        Refusal{bcCode93Extended, "ğ", false, csmModulo10, "Code93 Extended barkodunda \"ğ\" karakteri kodlanamaz."},
        Refusal{bcCode128A, "ABc", false, csmModulo10, "Code128A barkodunda \"c\" karakteri kodlanamaz."},
        Refusal{bcCode128B, "İzmir", false, csmModulo10, "Code128B barkodunda \"İ\" karakteri kodlanamaz."},
        Refusal{bcCodeEAN128A, "a\tb", false, csmModulo10, "EAN128A barkodunda \"#9\" karakteri kodlanamaz."},
        Refusal{bcCodeEAN128B, "AB", true, csmModulo10, "Barcode must be numeric"},
        Refusal{bcCodeCodabar, "12A34", false, csmModulo10, "Codebar barkodunda \"A\" karakteri kodlanamaz."},
        Refusal{bcCodeCodabar, "12*", false, csmModulo10, "Codebar barkodunda \"*\" karakteri kodlanamaz."}));

TEST(BarcodeModules, AnOrdinalBeyondTheLastTypeIsAWrongType)
{
    TBarcode b;
    b.setTyp(TBarcodeType(23));
    EXPECT_EQ(errorOf(b), "TBarcode: wrong BarcodeType");
}

TEST(BarcodeModules, AModuleCharacterThatIsNoElementIsAnInternalError)
{
    TBarcode b;
    b.setModul(2);
    b.BuildModules();
    EXPECT_EQ(b.ElementWidth('7'), 6);
    EXPECT_EQ(b.ElementWidth('B'), 4);
    try {
        b.ElementWidth('4');
        ADD_FAILURE() << "no error";
    } catch (const EBarcodeError& e) {
        EXPECT_EQ(e.Message(), "TBarcode: internal Error");
    }
}

TEST(BarcodeModules, DigitsOnlyTypesTrimTheirText)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128C);
    b.setText("  1234 ");
    b.BuildModules();
    EXPECT_EQ(b.Text(), "1234");
}

TEST(BarcodeModules, AppendCheckDigitMod10)
{
    EXPECT_EQ(TBarcode::AppendCheckDigitMod10("1234567"), "12345670");
    EXPECT_EQ(TBarcode::AppendCheckDigitMod10("400638133393"), "4006381333931");
    EXPECT_EQ(TBarcode::AppendCheckDigitMod10("03600029145"), "036000291452");
}

struct Stored {
    TBarcodeType typ;
    const char* text;
    bool checksum;
    TCheckSumMethod method;
    const char* stored;
};

class BarcodeStoredText : public ::testing::TestWithParam<Stored> {};

// What an encoding leaves in Text, and that a second build leaves it so.
TEST_P(BarcodeStoredText, TextAfterOneAndTwoBuilds)
{
    const Stored& s = GetParam();
    TBarcode b;
    b.setTyp(s.typ);
    b.setText(s.text);
    b.setChecksum(s.checksum);
    b.CheckSumMethod = s.method;
    b.BuildModules();
    EXPECT_EQ(b.Text(), s.stored);
    b.BuildModules();
    EXPECT_EQ(b.Text(), s.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Types, BarcodeStoredText,
    ::testing::Values(Stored{bcCodeUPC_A, "12345", false, csmModulo10, "000000012345"},
                      Stored{bcCodeUPC_A, "03600029145", true, csmModulo10, "036000291452"},
                      // A twelfth digit is the check digit, made again.
                      Stored{bcCodeUPC_A, "036000291459", true, csmModulo10, "036000291452"},
                      Stored{bcCodeUPC_E0, "123456", false, csmModulo10, "0123456"},
                      // The check digit of 0 01234 00005 is 7.
                      Stored{bcCodeUPC_E0, "123456", true, csmModulo10, "0123457"},
                      Stored{bcCodeUPC_E0, "1234560", true, csmModulo10, "1234565"},
                      Stored{bcCodeUPC_E0, "1234560", true, csmNone, "1234560"},
                      Stored{bcCodeUPC_Supp2, "7", false, csmModulo10, "07"},
                      // 3 x (1 + 3 + 5) + 9 x (2 + 4) = 81.
                      Stored{bcCodeUPC_Supp5, "12345", true, csmModulo10, "123451"},
                      Stored{bcCodeUPC_Supp5, "345", false, csmModulo10, "00345"},
                      Stored{bcCodeEAN13, "400638133393", true, csmModulo10, "400638133393"},
                      Stored{bcCodeEAN8, "1234567", true, csmModulo10, "1234567"},
                      Stored{bcCode39Extended, "abc", true, csmModulo10, "abc"},
                      Stored{bcCode93Extended, "abc", false, csmModulo10, "abc"}));

TEST(BarcodeModules, MsiAddsItsModulo10CheckDigit)
{
    // 1234567: the odd places from the right 1357 doubled is 2714 (sum 14),
    // the others 2 + 4 + 6; 10 - 26 mod 10 = 4 = 0100.
    const QString m = modulesOf(bcCodeMSI, "1234567");
    EXPECT_EQ(m.left(2), "60");
    EXPECT_EQ(m.right(3 + 8), "51605151" "515");
    EXPECT_EQ(m.size(), 2 + 8 * 8 + 3);
}

TEST(BarcodeModules, PostNetDigitsAreTallAndShortBars)
{
    // 1 = short, short, short, tall, tall.
    EXPECT_EQ(modulesOf(bcCodePostNet, "1"), "51" "A1A1A15151" "5");
}

TEST(BarcodeModules, Code39ChecksumIsTheSumOfValuesModulo43)
{
    TBarcode b;
    b.setTyp(bcCode39);
    b.setText("ABC");   // 10 + 11 + 12 = 33 = "X"
    const int plain = b.Width();
    b.setChecksum(true);
    const QString withCheck = b.BuildModules();
    TBarcode x;
    x.setTyp(bcCode39);
    x.setText("ABCX");
    EXPECT_EQ(withCheck, x.BuildModules());
    EXPECT_GT(b.Width(), plain);
}

// --- Properties ---------------------------------------------------------------------

TEST(BarcodeProperties, ModulOutsideOneTo49KeepsItsValueAndFiresNoChange)
{
    TBarcode b;
    int changes = 0;
    b.OnChange = [&changes] { ++changes; };
    b.setModul(3);
    EXPECT_EQ(changes, 1);
    b.setModul(0);
    b.setModul(50);
    b.setModul(-2);
    EXPECT_EQ(b.Modul(), 3);
    EXPECT_EQ(changes, 1);
    b.setModul(49);
    EXPECT_EQ(b.Modul(), 49);
    b.setModul(49);
    EXPECT_EQ(changes, 2);
}

struct RatioCase {
    TBarcodeType typ;
    double set;
    double after;
};

class BarcodeRatio : public ::testing::TestWithParam<RatioCase> {};

TEST_P(BarcodeRatio, BroughtIntoTheSymbologysRangeAtTheNextEncoding)
{
    const RatioCase& c = GetParam();
    TBarcode b;
    b.setTyp(c.typ);
    b.setText(TBarcode::DigitsOnly(c.typ) || c.typ == bcCodeCodabar ? "12" : "AB");
    b.setRatio(c.set);
    EXPECT_EQ(b.Ratio(), c.set);
    int changes = 0;
    b.OnChange = [&changes] { ++changes; };
    b.BuildModules();
    EXPECT_EQ(b.Ratio(), c.after);
    EXPECT_EQ(changes, c.after != c.set ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Types, BarcodeRatio,
                         ::testing::Values(RatioCase{bcCodeEAN13, 1.5, 2.0}, RatioCase{bcCode_2_5_matrix, 3.5, 3.0},
                                           RatioCase{bcCode_2_5_matrix, 2.0, 2.25}, RatioCase{bcCode128B, 1.5, 1.5},
                                           RatioCase{bcCode39, 3.2, 3.0}, RatioCase{bcCodeMSI, 4.0, 4.0},
                                           RatioCase{bcCode93, 1.0, 1.0}, RatioCase{bcCodeCodabar, 2.5, 2.5}));

TEST(BarcodeProperties, BarWidthsFollowModulAndRatio)
{
    TBarcode b;
    b.setTyp(bcCode39);
    b.setText("A");
    b.setModul(2);
    b.setRatio(2.25);   // 4.5 -> 4 (halves to even)
    b.BuildModules();
    EXPECT_EQ(std::vector<int>(b.BarWidths(), b.BarWidths() + 4), (std::vector<int>{2, 4, 6, 8}));
    b.setRatio(2.75);   // 5.5 -> 6
    b.BuildModules();
    EXPECT_EQ(std::vector<int>(b.BarWidths(), b.BarWidths() + 4), (std::vector<int>{2, 6, 9, 12}));
}

TEST(BarcodeProperties, CountedWidthSymbologiesKeepOneToFourModulesAtAnyRatio)
{
    TBarcode b;
    b.setTyp(bcCode128B);
    b.setText("Brivex");
    b.setModul(2);
    b.setRatio(3.0);
    EXPECT_EQ(b.Width(), 2 * (11 * 8 + 13));
    EXPECT_EQ(std::vector<int>(b.BarWidths(), b.BarWidths() + 4), (std::vector<int>{2, 4, 6, 8}));
}

TEST(BarcodeProperties, WritingWidthScalesModul)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128A);
    b.setText("0000000");
    b.setWidth(123);
    EXPECT_EQ(b.Modul(), 1);
    b.setWidth(370);   // 370 / 123 = 3
    EXPECT_EQ(b.Modul(), 3);
    b.setWidth(100);   // 3 x 100 / 369 = 0: refused, Modul stays
    EXPECT_EQ(b.Modul(), 3);
    EXPECT_EQ(b.Width(), 369);
}

// A text each type takes, with and without its check character.
const std::vector<std::pair<TBarcodeType, const char*>> kOneTextPerType = {
    {bcCode_2_5_interleaved, "123456"}, {bcCode_2_5_industrial, "123"}, {bcCode_2_5_matrix, "123"},
    {bcCode39, "CODE 39"},              {bcCode39Extended, "Kod 39"},  {bcCode128A, "ABC"},
    {bcCode128B, "Abc"},                {bcCode128C, "12345"},         {bcCode93, "CODE 93"},
    {bcCode93Extended, "Kod 93"},       {bcCodeMSI, "1234"},           {bcCodePostNet, "12345"},
    {bcCodeCodabar, "12-34"},           {bcCodeEAN8, "1234567"},       {bcCodeEAN13, "123456789012"},
    {bcCodeUPC_A, "12345678901"},       {bcCodeUPC_E0, "123456"},      {bcCodeUPC_E1, "123456"},
    {bcCodeUPC_Supp2, "12"},            {bcCodeUPC_Supp5, "12345"},    {bcCodeEAN128A, "1234567"},
    {bcCodeEAN128B, "123456"},            {bcCodeEAN128C, "1234567"},
};

TEST(BarcodeProperties, ReadingWidthTwiceGivesTheSameValueForEveryType)
{
    ASSERT_EQ(kOneTextPerType.size(), size_t(kBarcodeTypeCount));
    for (bool checksum : {false, true}) {
        for (const auto& [typ, text] : kOneTextPerType) {
            TBarcode b;
            b.setTyp(typ);
            // The EAN types' text leaves room for the check digit.
            b.setText(checksum || (typ != bcCodeEAN8 && typ != bcCodeEAN13) ? text : QString(text) + "0");
            b.setChecksum(checksum);
            const int first = b.Width();
            EXPECT_GT(first, 0) << TBarcode::SymbologyName(typ).toStdString();
            EXPECT_EQ(b.Width(), first) << TBarcode::SymbologyName(typ).toStdString() << " checksum " << checksum;
        }
    }
}

TEST(BarcodeProperties, SettersFireChangeOnlyForARealChange)
{
    TBarcode b;
    int changes = 0;
    b.OnChange = [&changes] { ++changes; };
    b.setText("1");
    b.setText("1");
    b.setHeight(40);
    b.setHeight(40);
    b.setTyp(bcCode39);
    b.setTyp(bcCode39);
    b.setAngle(90);
    b.setAngle(90);
    b.setChecksum(true);
    b.setChecksum(true);
    b.setShowText(bcoBoth);
    b.setShowText(bcoBoth);
    b.setShowTextPosition(stpBottomCenter);
    b.setLeft(5);
    b.setTop(5);
    EXPECT_EQ(changes, 9);
    // Plain fields fire nothing; the font always does.
    b.Color = Qt::yellow;
    b.ColorBar = Qt::blue;
    b.CheckSumMethod = csmNone;
    EXPECT_EQ(changes, 9);
    b.setShowTextFont(b.ShowTextFont());
    EXPECT_EQ(changes, 10);
}

TEST(BarcodeProperties, AssignCopiesEveryPropertyAndTheChangeHandler)
{
    TBarcode a;
    int changes = 0;
    a.setTyp(bcCode93);
    a.setText("KART");
    a.setHeight(33);
    a.setLeft(4);
    a.setTop(6);
    a.setModul(2);
    a.setRatio(2.5);
    a.setChecksum(true);
    a.CheckSumMethod = csmNone;
    a.setAngle(45);
    a.setShowText(bcoTyp);
    a.setShowTextFont(QFont("DejaVu Serif", 11));
    a.ShowTextFontColor = Qt::red;
    a.setShowTextPosition(stpTopRight);
    a.Color = Qt::yellow;
    a.ColorBar = Qt::darkBlue;
    a.OnChange = [&changes] { ++changes; };

    TBarcode b;
    b.Assign(a);
    EXPECT_EQ(b.Typ(), bcCode93);
    EXPECT_EQ(b.Text(), "KART");
    EXPECT_EQ(b.Height(), 33);
    EXPECT_EQ(b.Left(), 4);
    EXPECT_EQ(b.Top(), 6);
    EXPECT_EQ(b.Modul(), 2);
    EXPECT_EQ(b.Ratio(), 2.5);
    EXPECT_TRUE(b.Checksum());
    EXPECT_EQ(b.CheckSumMethod, csmNone);
    EXPECT_EQ(b.Angle(), 45);
    EXPECT_EQ(b.ShowText(), bcoTyp);
    EXPECT_EQ(b.ShowTextFont().family(), "DejaVu Serif");
    EXPECT_EQ(b.ShowTextFontColor, QColor(Qt::red));
    EXPECT_EQ(b.ShowTextPosition(), stpTopRight);
    EXPECT_EQ(b.Color, QColor(Qt::yellow));
    EXPECT_EQ(b.ColorBar, QColor(Qt::darkBlue));
    EXPECT_EQ(b.BuildModules(), a.BuildModules());
    b.setText("X");
    EXPECT_EQ(changes, 1);
}

TEST(BarcodeProperties, Defaults)
{
    TBarcode b;
    EXPECT_EQ(b.Typ(), bcCodeEAN13);
    EXPECT_EQ(b.Modul(), 1);
    EXPECT_EQ(b.Ratio(), 2.0);
    EXPECT_EQ(b.Height(), 0);
    EXPECT_FALSE(b.Checksum());
    EXPECT_EQ(b.CheckSumMethod, csmModulo10);
    EXPECT_EQ(b.ShowText(), bcoNone);
    EXPECT_EQ(b.ShowTextPosition(), stpTopLeft);
    EXPECT_EQ(b.Color, QColor(Qt::white));
    EXPECT_EQ(b.ColorBar, QColor(Qt::black));
    EXPECT_EQ(b.SymbologyName(), "EAN13");
}

} // namespace
