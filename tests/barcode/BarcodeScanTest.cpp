// Symbols painted by the generator are read back: by zbarimg for every
// symbology it knows, by a small reader of bar widths here for those it does
// not (2 of 5 industrial and matrix, MSI, PostNet).
#include "BarcodeTestSupport.h"

#include <gtest/gtest.h>

using namespace BarcodeTest;

namespace {

struct Scan {
    const char* name;      // the case's name in the test list
    TBarcodeType typ;
    const char* text;
    bool checksum;
    const char* zbarLine;  // what zbarimg prints
    QStringList settings;  // zbarimg -S options
};

std::string caseName(const ::testing::TestParamInfo<Scan>& info)
{
    return info.param.name;
}

class BarcodeScan : public ::testing::TestWithParam<Scan> {};

TEST_P(BarcodeScan, ZbarimgReadsTheText)
{
    const Scan& s = GetParam();
    TBarcode b;
    b.setTyp(s.typ);
    b.setText(QString::fromUtf8(s.text));
    b.setChecksum(s.checksum);
    b.setModul(2);
    b.setHeight(60);
    const QImage image = paint(b, 30);
    EXPECT_EQ(zbar(image, s.settings), QStringList{QString::fromUtf8(s.zbarLine)});
}

const char* const kAllCode39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
const char* const kSetA1 = " !\"#$%&'()*+,-./0123456789:;<=>?";
const char* const kSetA2 = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";
const char* const kSetB3 = "`abcdefghijklmnopqrstuvwxyz{|}~";

const QStringList kUpcA{"upca.enable"}, kUpcE{"upce.enable"}, kEan2{"ean2.enable"}, kEan5{"ean5.enable"};

std::string pairs(int from, int to)
{
    std::string s;
    for (int i = from; i <= to; ++i) {
        s += char('0' + i / 10);
        s += char('0' + i % 10);
    }
    return s;
}
const std::string kPairs1 = pairs(0, 49), kPairs2 = pairs(50, 99);
const std::string kPairsLine1 = "CODE-128:" + kPairs1, kPairsLine2 = "CODE-128:" + kPairs2;

INSTANTIATE_TEST_SUITE_P(
    Symbologies, BarcodeScan,
    ::testing::Values(
        Scan{"Interleaved2of5_Six", bcCode_2_5_interleaved, "123456", false, "I2/5:123456", {}},
        Scan{"Interleaved2of5_AllDigits", bcCode_2_5_interleaved, "00123456789012", false, "I2/5:00123456789012", {}},
        Scan{"Code39_Words", bcCode39, "CODE 39", false, "CODE-39:CODE 39", {}},
        Scan{"Code39_EveryCharacter", bcCode39, kAllCode39, false, "CODE-39:0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", {}},
        Scan{"Code39_ZbarReadsTheCheckCharacterAsData", bcCode39, "ABC", true, "CODE-39:ABCX", {}},
        Scan{"Code39Extended_ZbarDoesNotTranslateFullAscii_ReadsThePairs", bcCode39Extended, "Hello world!", false,
             "CODE-39:H+E+L+L+O +W+O+R+L+D/A", {}},
        Scan{"Code39Extended_UpperCase", bcCode39Extended, "KART 42", false, "CODE-39:KART 42", {}},
        Scan{"Code128A_Punctuation", bcCode128A, kSetA1, false, "CODE-128: !\"#$%&'()*+,-./0123456789:;<=>?", {}},
        Scan{"Code128A_Letters", bcCode128A, kSetA2, false, "CODE-128:@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_", {}},
        Scan{"Code128B_LowerCase", bcCode128B, kSetB3, false, "CODE-128:`abcdefghijklmnopqrstuvwxyz{|}~", {}},
        Scan{"Code128B_Mixed", bcCode128B, "Brivex, Kart No: 42", false, "CODE-128:Brivex, Kart No: 42", {}},
        Scan{"Code128C_Pairs00to49", bcCode128C, kPairs1.c_str(), false, kPairsLine1.c_str(), {}},
        Scan{"Code128C_Pairs50to99", bcCode128C, kPairs2.c_str(), false, kPairsLine2.c_str(), {}},
        Scan{"Code128C_OddLengthReadsWithItsLeadingZero", bcCode128C, "12345", false, "CODE-128:012345", {}},
        Scan{"Code93_EveryCharacter", bcCode93, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", false,
             "CODE-93:0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", {}},
        Scan{"Code93_Words", bcCode93, "CODE 93", false, "CODE-93:CODE 93", {}},
        Scan{"Code93Extended_Printable", bcCode93Extended, " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", false,
             "CODE-93: !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", {}},
        Scan{"Code93Extended_LowerCaseAndTab", bcCode93Extended, "Hello\tworld", false, "CODE-93:Hello\tworld", {}},
        Scan{"Codabar_ZbarShowsStartAndStop", bcCodeCodabar, "0123456789-$:/.+", false, "Codabar:A0123456789-$:/.+B", {}},
        Scan{"Ean8_AsTyped", bcCodeEAN8, "96385074", false, "EAN-8:96385074", {}},
        Scan{"Ean8_Checksum", bcCodeEAN8, "1234567", true, "EAN-8:12345670", {}},
        Scan{"Ean8_ChecksumPads", bcCodeEAN8, "5", true, "EAN-8:00000055", {}},
        Scan{"Ean13_AsTyped", bcCodeEAN13, "4006381333931", false, "EAN-13:4006381333931", {}},
        Scan{"Ean13_Checksum", bcCodeEAN13, "400638133393", true, "EAN-13:4006381333931", {}},
        Scan{"Ean13_Padded", bcCodeEAN13, "123", false, "EAN-13:0000000000123", {}},
        Scan{"Ean13_FirstDigitNine", bcCodeEAN13, "978014300723", true, "EAN-13:9780143007234", {}},
        Scan{"UpcA_AsTyped", bcCodeUPC_A, "036000291452", false, "UPC-A:036000291452", kUpcA},
        Scan{"UpcA_Checksum", bcCodeUPC_A, "72527273070", true, "UPC-A:725272730706", kUpcA},
        Scan{"UpcE0_AsTyped", bcCodeUPC_E0, "1234565", false, "UPC-E:01234565", kUpcE},
        Scan{"UpcE0_Checksum", bcCodeUPC_E0, "6543210", true, "UPC-E:06543217", kUpcE},
        Scan{"UpcE0_ChecksumOfSixDigitsPadded", bcCodeUPC_E0, "654321", true, "UPC-E:00654322", kUpcE},
        Scan{"UpcE0_ThreeInTheSixthPlace", bcCodeUPC_E0, "4210030", true, "UPC-E:04210039", kUpcE},
        Scan{"UpcE0_FourInTheSixthPlace", bcCodeUPC_E0, "1234140", true, "UPC-E:01234145", kUpcE},
        Scan{"UpcSupp2", bcCodeUPC_Supp2, "12", false, "EAN-2:12", kEan2},
        Scan{"UpcSupp2_Padded", bcCodeUPC_Supp2, "7", false, "EAN-2:07", kEan2},
        Scan{"UpcSupp2_BothDigitsEven", bcCodeUPC_Supp2, "99", false, "EAN-2:99", kEan2},
        Scan{"UpcSupp5", bcCodeUPC_Supp5, "12345", false, "EAN-5:12345", kEan5},
        Scan{"UpcSupp5_CheckDigitNotDrawn", bcCodeUPC_Supp5, "90000", true, "EAN-5:90000", kEan5},
        Scan{"UpcSupp5_Other", bcCodeUPC_Supp5, "54321", false, "EAN-5:54321", kEan5},
        Scan{"Ean128A_RegisterNumber", bcCodeEAN128A, "0000000", false, "CODE-128:0000000", {}},
        Scan{"Ean128A_OtherRegisterNumber", bcCodeEAN128A, "1234567", false, "CODE-128:1234567", {}},
        Scan{"Ean128A_LowerCaseReadAsTyped", bcCodeEAN128A, "ab", false, "CODE-128:ab", {}},
        Scan{"Ean128A_MixedCase", bcCodeEAN128A, "Kart 12 a-z{|}~", false, "CODE-128:Kart 12 a-z{|}~", {}},
        Scan{"Ean128A_Checksum", bcCodeEAN128A, "1234567", true, "CODE-128:12345670", {}},
        Scan{"Ean128B_Mixed", bcCodeEAN128B, "Brivex 2024", false, "CODE-128:Brivex 2024", {}},
        Scan{"Ean128C_Digits", bcCodeEAN128C, "1234567", false, "CODE-128:01234567", {}}),
    caseName);

// The symbol turned a quarter, half and three quarters still reads.
class BarcodeScanRotated : public ::testing::TestWithParam<int> {};

TEST_P(BarcodeScanRotated, ZbarimgReadsTheRotatedSymbol)
{
    TBarcode b;
    b.setTyp(bcCodeEAN128A);
    b.setText("7654321");
    b.setModul(2);
    b.setHeight(60);
    b.setAngle(GetParam());
    EXPECT_EQ(zbar(paint(b, 30)), QStringList{"CODE-128:7654321"});
}

INSTANTIATE_TEST_SUITE_P(Angles, BarcodeScanRotated, ::testing::Values(0, 90, 180, 270));

TEST(BarcodeScan, Code128BStillReadsWithAnOddRatio)
{
    TBarcode b;
    b.setTyp(bcCode128B);
    b.setText("Ratio");
    b.setRatio(1.5);
    b.setModul(2);
    b.setHeight(60);
    EXPECT_EQ(zbar(paint(b, 30)), QStringList{"CODE-128:Ratio"});
    EXPECT_EQ(b.Ratio(), 1.5);
}

// --- Symbologies zbarimg does not know: read from the pixels --------------------

// Bars and spaces of the painted symbol, wide (true) or narrow, along the
// middle row.
std::vector<bool> wideElements(TBarcode& b, std::vector<int>* widths = nullptr)
{
    const QImage image = paint(b, 10);
    const std::vector<int> w = symbolRuns(row(image, image.height() / 2));
    if (widths)
        *widths = w;
    const auto [mn, mx] = std::minmax_element(w.begin(), w.end());
    std::vector<bool> wide;
    for (int x : w)
        wide.push_back(x * 2 > *mn + *mx);
    return wide;
}

// A digit from the five wide/narrow elements of a 2 of 5 character: the
// weights 1, 2, 4, 7 and 0 of its two wide elements add up to it (11 is 0).
int twoOfFive(const std::vector<bool>& e, size_t at, size_t step)
{
    static const int weights[5] = {1, 2, 4, 7, 0};
    int sum = 0, wideCount = 0;
    for (int i = 0; i < 5; ++i)
        if (e[at + i * step]) {
            sum += weights[i];
            ++wideCount;
        }
    return wideCount == 2 ? sum % 11 : -1;
}

TEST(BarcodeScan, TwoOfFiveIndustrialIsNotReadByZbar_ReadFromTheBars)
{
    for (const char* text : {"0123456789", "4711"}) {
        TBarcode b;
        b.setTyp(bcCode_2_5_industrial);
        b.setText(text);
        b.setModul(2);
        b.setHeight(40);
        const std::vector<bool> e = wideElements(b);
        // Bars only carry the data, every space is narrow: start (wide, wide,
        // narrow), five bars per digit, stop (wide, narrow, wide).
        std::vector<bool> barsWide;
        for (size_t i = 0; i < e.size(); i += 2)
            barsWide.push_back(e[i]);
        for (size_t i = 1; i < e.size(); i += 2)
            EXPECT_FALSE(e[i]) << "space " << i;
        ASSERT_EQ(barsWide.size(), 3 + 5 * strlen(text) + 3);
        EXPECT_EQ(std::vector<bool>(barsWide.begin(), barsWide.begin() + 3), (std::vector<bool>{true, true, false}));
        EXPECT_EQ(std::vector<bool>(barsWide.end() - 3, barsWide.end()), (std::vector<bool>{true, false, true}));
        QString read;
        for (size_t d = 0; d < strlen(text); ++d)
            read += QChar('0' + twoOfFive(barsWide, 3 + 5 * d, 1));
        EXPECT_EQ(read, text);
    }
}

TEST(BarcodeScan, TwoOfFiveMatrixIsNotReadByZbar_ReadFromTheElements)
{
    for (const char* text : {"0123456789", "90210"}) {
        TBarcode b;
        b.setTyp(bcCode_2_5_matrix);
        b.setText(text);
        b.setModul(2);
        b.setRatio(2.5);
        b.setHeight(40);
        std::vector<int> widths;
        const std::vector<bool> e = wideElements(b, &widths);
        // Start: a bar of one and a half wide, then narrow elements; each
        // digit five elements and a narrow gap; the stop.
        ASSERT_EQ(e.size(), 6 + 6 * strlen(text) + 5);
        EXPECT_EQ(widths[0], 7);   // w2 = 5 * 3 / 2 at Modul 2, Ratio 2.5 (w1 = 5)
        QString read;
        for (size_t d = 0; d < strlen(text); ++d) {
            read += QChar('0' + twoOfFive(e, 6 + 6 * d, 1));
            EXPECT_FALSE(e[6 + 6 * d + 5]);
        }
        EXPECT_EQ(read, text);
    }
}

TEST(BarcodeScan, MsiIsNotReadByZbar_ReadFromTheBarsWithItsCheckDigit)
{
    // Each digit four bits, high first, a wide bar being 1; the last digit is
    // the modulo-10 check digit (1234567: 4; 80523: 4; 0: 0).
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"1234567", "12345674"}, {"80523", "805234"}, {"0", "00"}, {"9999", "99994"}};
    for (const auto& [text, withCheck] : cases) {
        TBarcode b;
        b.setTyp(bcCodeMSI);
        b.setText(text);
        b.setModul(2);
        b.setHeight(40);
        const std::vector<bool> e = wideElements(b);
        ASSERT_EQ(e.size(), 2 + 8 * strlen(withCheck) + 3);
        EXPECT_TRUE(e[0]);   // start: a wide bar
        QString read;
        for (size_t d = 0; d < strlen(withCheck); ++d) {
            int value = 0;
            for (int bit = 0; bit < 4; ++bit) {
                const size_t bar = 2 + 8 * d + 2 * bit;
                EXPECT_NE(e[bar], e[bar + 1]);   // a wide bar with a narrow space or the reverse
                value = value * 2 + (e[bar] ? 1 : 0);
            }
            read += QChar('0' + value);
        }
        EXPECT_EQ(read, withCheck);
    }
}

TEST(BarcodeScan, PostNetIsNotReadByZbar_ReadFromTheTallBars)
{
    for (const char* text : {"0123456789", "55555"}) {
        TBarcode b;
        b.setTyp(bcCodePostNet);
        b.setText(text);
        b.setModul(2);
        b.setHeight(40);
        const QImage image = paint(b, 10);
        // Every bar crosses the bottom row, only tall bars the top one.
        const int bottom = 10 + 40 - 2, top = 10 + 2;
        std::vector<bool> tall;
        for (int x = 1; x < image.width(); ++x)
            if (dark(image.pixel(x, bottom)) && !dark(image.pixel(x - 1, bottom)))
                tall.push_back(dark(image.pixel(x, top)));
        ASSERT_EQ(tall.size(), 1 + 5 * strlen(text) + 1);
        EXPECT_TRUE(tall.front());
        EXPECT_TRUE(tall.back());
        // Weights 7, 4, 2, 1, 0 of the two tall bars (11 is 0).
        QString read;
        for (size_t d = 0; d < strlen(text); ++d) {
            static const int weights[5] = {7, 4, 2, 1, 0};
            int sum = 0;
            for (int i = 0; i < 5; ++i)
                if (tall[1 + 5 * d + i])
                    sum += weights[i];
            read += QChar('0' + sum % 11);
        }
        EXPECT_EQ(read, text);
    }
}

TEST(BarcodeScan, UpcE1IsNotReadByZbar_ItsDigitsMirrorUpcE0)
{
    // zbarimg reads only number system 0; an E1 symbol is the E0 symbol
    // with every digit in the other parity, checked from the pixels.
    auto pixels = [](TBarcodeType typ) {
        TBarcode b;
        b.setTyp(typ);
        b.setText("1234565");
        b.CheckSumMethod = csmNone;
        b.setModul(1);
        b.setHeight(20);
        const QImage image = paint(b, 5);
        QString line;
        for (int x = 5; x < 5 + 51; ++x)
            line += dark(image.pixel(x, 15)) ? '1' : '0';
        return line;
    };
    const QString e0 = pixels(bcCodeUPC_E0), e1 = pixels(bcCodeUPC_E1);
    EXPECT_EQ(e0.left(3), "101");
    EXPECT_EQ(e0.right(6), "010101");
    EXPECT_EQ(e1.left(3), "101");
    EXPECT_EQ(e1.right(6), "010101");
    for (int d = 0; d < 6; ++d) {
        QString mirrored = e0.mid(3 + 7 * d, 7);
        std::reverse(mirrored.begin(), mirrored.end());
        for (QChar& c : mirrored)
            c = c == '1' ? '0' : '1';
        EXPECT_EQ(e1.mid(3 + 7 * d, 7), mirrored) << "digit " << d + 1;
    }
    // E0 of the same digits reads.
    TBarcode b;
    b.setTyp(bcCodeUPC_E0);
    b.setText("1234565");
    b.setModul(2);
    b.setHeight(60);
    EXPECT_EQ(zbar(paint(b, 30), {"upce.enable"}), QStringList{"UPC-E:01234565"});
}

} // namespace
