#include "reports/barcode/Barcode.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

const char* const kClassName = "TBarcode";

// Nearest integer, halves to even.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

// Sine and cosine of an angle in degrees; quarter turns give exact 0 and 1,
// so that the rotated box of a symbol turned by 90 degrees is not one unit
// larger through a rounding error.
void sinCos(double degrees, double& s, double& c)
{
    const double a = degrees / 180.0 * std::numbers::pi;
    auto snap = [](double v) {
        for (double exact : {-1.0, 0.0, 1.0})
            if (std::fabs(v - exact) < 1e-12)
                return exact;
        return v;
    };
    s = snap(std::sin(a));
    c = snap(std::cos(a));
}

const char* const kNames[kBarcodeTypeCount] = {
    "2_5_interleaved", "2_5_industrial", "2_5_matrix", "Code39", "Code39 Extended", "Code128A", "Code128B",
    "Code128C", "Code93", "Code93 Extended", "MSI", "PostNet", "Codebar", "EAN8", "EAN13", "UPC_A", "UPC_E0",
    "UPC_E1", "UPC Supp2", "UPC Supp5", "EAN128A", "EAN128B", "EAN128C",
};

bool isDigits(const QString& s)
{
    for (QChar c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int digit(QChar c)
{
    return c.unicode() - '0';
}

QString zeroPad(const QString& s, int n)
{
    return s.size() >= n ? s : QString(n - s.size(), '0') + s;
}

// Element widths in modules, bar first, to module characters: odd positions
// become bars ("1".."4" -> "5".."8"), even positions spaces ("0".."3").
QString widthsToModules(const QString& widths, bool barFirst = true)
{
    QString out;
    out.reserve(widths.size());
    bool bar = barFirst;
    for (QChar w : widths) {
        out += QChar((bar ? '5' : '0') + (w.unicode() - '1'));
        bar = !bar;
    }
    return out;
}

// --- 2 of 5: the five elements of each digit, 1 = wide ------------------
const char* const k25[10] = {"00110", "10001", "01001", "11000", "00101",
                             "10100", "01100", "00011", "10010", "01010"};

// --- Code 39 ---------------------------------------------------------------
// The 43 characters in value order, then the start/stop character.
const char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

// Nine elements (bar, space, ... bar) of a character, 1 = wide: the bars
// follow the 2 of 5 digit patterns, the one wide space its group's place;
// "$ / + %" have three wide spaces and narrow bars.
QString code39Pattern(int value)
{
    QString bars, spaces;
    if (value >= 39 && value <= 42) {
        static const char* const sp[4] = {"1110", "1101", "1011", "0111"};
        bars = "00000";
        spaces = sp[value - 39];
    } else {
        // Groups of ten: digits, A-J, K-T, U-Z - . space *; inside a group
        // the bars of 1, 2 ... 9, 0.
        int group, index;
        if (value < 10) {
            group = 0;
            index = value;
        } else if (value == 43) {   // "*"
            group = 3;
            index = 0;
        } else {
            group = (value - 10) / 10 + 1;
            index = (value - 10) % 10 + 1;
            if (index == 10)
                index = 0;
        }
        static const char* const sp[4] = {"0100", "0010", "0001", "1000"};
        bars = k25[index];
        spaces = sp[group];
    }
    QString out;
    for (int i = 0; i < 5; ++i) {
        out += bars[i] == '1' ? '6' : '5';
        if (i < 4)
            out += spaces[i] == '1' ? '1' : '0';
    }
    return out;
}

// Full ASCII: each code 0 to 127 as one or two characters of the base set;
// `shifts` are the four shift characters in the order $ % / +.
QString fullAscii(int code, const char* shifts)
{
    const QChar dollar = shifts[0], percent = shifts[1], slash = shifts[2], plus = shifts[3];
    if (code == 0)
        return QString(percent) + 'U';
    if (code <= 26)
        return QString(dollar) + QChar('A' + code - 1);
    if (code <= 31)
        return QString(percent) + QChar('A' + code - 27);
    if (code == ' ' || code == '-' || code == '.' || (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return QString(QChar(code));
    if (code >= '!' && code <= ',')
        return QString(slash) + QChar('A' + code - '!');
    if (code == '/')
        return QString(slash) + 'O';
    if (code == ':')
        return QString(slash) + 'Z';
    if (code >= ';' && code <= '?')
        return QString(percent) + QChar('F' + code - ';');
    if (code == '@')
        return QString(percent) + 'V';
    if (code >= '[' && code <= '_')
        return QString(percent) + QChar('K' + code - '[');
    if (code == '`')
        return QString(percent) + 'W';
    if (code >= 'a' && code <= 'z')
        return QString(plus) + QChar('A' + code - 'a');
    if (code >= '{' && code <= '~')
        return QString(percent) + QChar('P' + code - '{');
    return QString(percent) + 'T';   // DEL
}

// --- Code 128: values 0 to 105 and the stop, widths bar first -------------
const char* const k128[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232",
};
const char* const k128Stop = "2331112";
constexpr int kCodeB = 100, kFnc1 = 102, kStartA = 103, kStartB = 104, kStartC = 105;

// --- Code 93: values 0 to 46, "[", "]", "{", "}" being the shifts ($) (%) (/) (+)
const char kCode93Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%[]{}";
const char* const k93[47] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
};

// --- Codabar: 16 data characters and the start/stop characters A to D ------
const char kCodabarChars[] = "0123456789-$:/.+ABCD";
const char* const kCodabar[20] = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001", "0100100", "0110000", "1001000",
    "0001100", "0011000", "1000101", "1010001", "1010100", "0010101", "0011010", "0101001", "0001011", "0001110",
};

// --- PostNet: 1 = tall bar --------------------------------------------------
const char* const kPostNet[10] = {"11000", "00011", "00101", "00110", "01001",
                                  "01010", "01100", "10001", "10010", "10100"};

// --- EAN / UPC: the digits of set A as module widths, space first; set C
// is the same widths bar first, set B their reverse, space first.
const char* const kSetA[10] = {"3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112"};
const char* const kGuard = "505";
const char* const kCentre = "05050";

QString setA(int d)
{
    return widthsToModules(kSetA[d], false);
}
QString setB(int d)
{
    QString w = kSetA[d];
    std::reverse(w.begin(), w.end());
    return widthsToModules(w, false);
}
QString setC(int d)
{
    return widthsToModules(kSetA[d], true);
}

// EAN-13: the parity of digits 2 to 7 by the first digit, 1 = set B.
const char* const kEan13Parity[10] = {"000000", "001011", "001101", "001110", "010011",
                                      "011001", "011100", "010101", "010110", "011010"};
// UPC-E, number system 0: the parity of the six digits by the check digit, 1 = set B.
const char* const kUpcEParity[10] = {"111000", "110100", "110010", "110001", "101100",
                                     "100110", "100011", "101010", "101001", "100101"};
// The 5-digit add-on: the parity of its digits by the add-on check, 1 = set B.
const char* const kSupp5Parity[10] = {"11000", "10100", "10010", "10001", "01100",
                                      "00110", "00011", "01010", "01001", "00101"};

// The UPC-A check digit of a UPC-E number (number system and six digits):
// the check digit of the UPC-A number it stands for.
int upcECheckDigit(int numberSystem, const QString& six)
{
    const QString d = six;
    QString manufacturer, product;
    switch (digit(d[5])) {
    case 0:
    case 1:
    case 2:
        manufacturer = d.left(2) + d[5] + "00";
        product = "00" + d.mid(2, 3);
        break;
    case 3:
        manufacturer = d.left(3) + "00";
        product = "000" + d.mid(3, 2);
        break;
    case 4:
        manufacturer = d.left(4) + "0";
        product = "0000" + d.mid(4, 1);
        break;
    default:
        manufacturer = d.left(5);
        product = "0000" + d.mid(5, 1);
        break;
    }
    const QString upcA = QString::number(numberSystem) + manufacturer + product;
    return digit(TBarcode::AppendCheckDigitMod10(upcA).back());
}

} // namespace

// ---------------------------------------------------------------------------

TBarcode::TBarcode()
{
    FShowTextFont = QFont("DejaVu Sans", 8);
}

void TBarcode::Assign(const TBarcode& s)
{
    FHeight = s.FHeight;
    FText = s.FText;
    FTop = s.FTop;
    FLeft = s.FLeft;
    FModul = s.FModul;
    FRatio = s.FRatio;
    FTyp = s.FTyp;
    FChecksum = s.FChecksum;
    CheckSumMethod = s.CheckSumMethod;
    FAngle = s.FAngle;
    FShowText = s.FShowText;
    FShowTextFont = s.FShowTextFont;
    ShowTextFontColor = s.ShowTextFontColor;
    FShowTextPosition = s.FShowTextPosition;
    Color = s.Color;
    ColorBar = s.ColorBar;
    OnChange = s.OnChange;
}

void TBarcode::Change()
{
    if (OnChange)
        OnChange();
}

void TBarcode::setHeight(int v) { setField(FHeight, v); }
void TBarcode::setTop(int v) { setField(FTop, v); }
void TBarcode::setLeft(int v) { setField(FLeft, v); }

void TBarcode::setModul(int v)
{
    if (v >= 1 && v < 50)
        setField(FModul, v);
}

void TBarcode::setText(const QString& v) { setField(FText, v); }

void TBarcode::setRatio(double v) { setField(FRatio, v); }

void TBarcode::setTyp(TBarcodeType v) { setField(FTyp, v); }

void TBarcode::setChecksum(bool v) { setField(FChecksum, v); }

void TBarcode::setAngle(double v) { setField(FAngle, v); }

void TBarcode::setShowText(TBarcodeOption v) { setField(FShowText, v); }

void TBarcode::setShowTextFont(const QFont& v)
{
    FShowTextFont = v;
    Change();
}

void TBarcode::setShowTextPosition(TShowTextPosition v) { setField(FShowTextPosition, v); }

QString TBarcode::SymbologyName(TBarcodeType typ)
{
    const int i = int(typ);
    return i >= 0 && i < kBarcodeTypeCount ? QString::fromLatin1(kNames[i]) : QString();
}

QString TBarcode::SymbologyName() const
{
    return SymbologyName(FTyp);
}

bool TBarcode::DigitsOnly(TBarcodeType typ)
{
    switch (typ) {
    case bcCode_2_5_interleaved:
    case bcCode_2_5_industrial:
    case bcCode_2_5_matrix:
    case bcCode128C:
    case bcCodeMSI:
    case bcCodePostNet:
    case bcCodeEAN8:
    case bcCodeEAN13:
    case bcCodeUPC_A:
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
    case bcCodeUPC_Supp2:
    case bcCodeUPC_Supp5:
    case bcCodeEAN128C:
        return true;
    default:
        return false;
    }
}

QString TBarcode::AppendCheckDigitMod10(const QString& digits)
{
    int sum = 0;
    int weight = 3;
    for (int i = digits.size() - 1; i >= 0; --i) {
        sum += digit(digits[i]) * weight;
        weight = 4 - weight;
    }
    return digits + QChar('0' + (10 - sum % 10) % 10);
}

QString TBarcode::ApplyCheckSum(const QString& data) const
{
    if (CheckSumMethod == csmNone)
        return data;
    if (!isDigits(data))
        throw EBarcodeError("Barcode must be numeric");
    return AppendCheckDigitMod10(data);
}

void TBarcode::Refuse(QChar c) const
{
    const QString shown = c.isPrint() ? QString(c) : QString("#%1").arg(c.unicode());
    throw EBarcodeError(QString("%1 barkodunda \"%2\" karakteri kodlanamaz.").arg(SymbologyName(), shown));
}

void TBarcode::BadLength(const char* name, int line) const
{
    throw EBarcodeError(QString("Invalid Text len (%1) (Barcode.cpp, line %2)").arg(name).arg(line));
}

void TBarcode::MakeBarWidths()
{
    switch (FTyp) {
    case bcCode_2_5_matrix:
        if (FRatio < 2.25)
            setRatio(2.25);
        else if (FRatio > 3.0)
            setRatio(3.0);
        break;
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCodeEAN128A:
    case bcCodeEAN128B:
    case bcCodeEAN128C:
    case bcCode93:
    case bcCode93Extended:
    case bcCodeMSI:
    case bcCodePostNet:
        break;
    default:
        if (FRatio < 2.0)
            setRatio(2.0);
        else if (FRatio > 3.0)
            setRatio(3.0);
        break;
    }
    switch (FTyp) {
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCodeEAN128A:
    case bcCodeEAN128B:
    case bcCodeEAN128C:
    case bcCode93:
    case bcCode93Extended:
    case bcCodeEAN8:
    case bcCodeEAN13:
    case bcCodeUPC_A:
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
    case bcCodeUPC_Supp2:
    case bcCodeUPC_Supp5:
        // Patterns written in module counts.
        for (int i = 0; i < 4; ++i)
            FBarWidths[i] = FModul * (i + 1);
        break;
    default:
        FBarWidths[0] = FModul;
        FBarWidths[1] = roundEven(FModul * FRatio);
        FBarWidths[2] = FBarWidths[1] * 3 / 2;
        FBarWidths[3] = 2 * FBarWidths[1];
        break;
    }
}

QString TBarcode::BuildModules()
{
    MakeBarWidths();
    if (DigitsOnly(FTyp)) {
        FText = FText.trimmed();
        if (!isDigits(FText))
            throw EBarcodeError("Barcode must be numeric");
    }
    switch (FTyp) {
    case bcCode_2_5_interleaved:
        return Code_2_5_interleaved();
    case bcCode_2_5_industrial:
        return Code_2_5_industrial();
    case bcCode_2_5_matrix:
        return Code_2_5_matrix();
    case bcCode39:
        return Code39(FText);
    case bcCode39Extended:
        return Code39Extended();
    case bcCode128A:
    case bcCode128B:
    case bcCode128C:
    case bcCodeEAN128A:
    case bcCodeEAN128B:
    case bcCodeEAN128C:
        return Code128();
    case bcCode93:
        return Code93(FText);
    case bcCode93Extended:
        return Code93Extended();
    case bcCodeMSI:
        return CodeMSI();
    case bcCodePostNet:
        return CodePostNet();
    case bcCodeCodabar:
        return CodeCodabar();
    case bcCodeEAN8:
        return CodeEAN8();
    case bcCodeEAN13:
        return CodeEAN13();
    case bcCodeUPC_A:
        return CodeUPC_A();
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
        return CodeUPC_E();
    case bcCodeUPC_Supp2:
        return CodeUPC_Supp2();
    case bcCodeUPC_Supp5:
        return CodeUPC_Supp5();
    }
    throw EBarcodeError(QString("%1: wrong BarcodeType").arg(kClassName));
}

// --- 2 of 5 ------------------------------------------------------------------

QString TBarcode::Code_2_5_interleaved()
{
    if (FText.size() % 2 != 0)
        throw EBarcodeError(QString("%1 barkodu çift sayıda rakam ister.").arg(SymbologyName()));
    QString out = "5050";
    for (int i = 0; i + 1 < FText.size(); i += 2) {
        const char* a = k25[digit(FText[i])];
        const char* b = k25[digit(FText[i + 1])];
        for (int j = 0; j < 5; ++j) {
            out += a[j] == '1' ? '6' : '5';
            out += b[j] == '1' ? '1' : '0';
        }
    }
    return out + "605";
}

QString TBarcode::Code_2_5_industrial()
{
    QString out = "606050";
    for (QChar c : FText) {
        const char* p = k25[digit(c)];
        for (int j = 0; j < 5; ++j)
            out += p[j] == '1' ? "60" : "50";
    }
    return out + "605060";
}

QString TBarcode::Code_2_5_matrix()
{
    QString out = "705050";
    for (QChar c : FText) {
        const char* p = k25[digit(c)];
        for (int j = 0; j < 5; ++j) {
            if (j % 2 == 0)
                out += p[j] == '1' ? '6' : '5';
            else
                out += p[j] == '1' ? '1' : '0';
        }
        out += '0';
    }
    return out + "70505";
}

// --- Code 39 -------------------------------------------------------------------

QString TBarcode::Code39(const QString& text)
{
    QString out = code39Pattern(43) + '0';
    int sum = 0;
    for (QChar c : text) {
        const char* at = c.unicode() < 128 && c != '*' && c.unicode() != 0
            ? std::strchr(kCode39Chars, char(c.unicode())) : nullptr;
        if (!at)
            Refuse(c);
        const int value = int(at - kCode39Chars);
        sum += value;
        out += code39Pattern(value) + '0';
    }
    if (FChecksum)
        out += code39Pattern(sum % 43) + '0';
    return out + code39Pattern(43);
}

QString TBarcode::Code39Extended()
{
    QString text;
    for (QChar c : FText) {
        if (c.unicode() > 127)
            Refuse(c);
        text += fullAscii(c.unicode(), "$%/+");
    }
    return Code39(text);
}

// --- Code 128 and EAN-128 -------------------------------------------------------

QString TBarcode::Code128()
{
    const bool ean = FTyp == bcCodeEAN128A || FTyp == bcCodeEAN128B || FTyp == bcCodeEAN128C;
    const bool setCTyp = FTyp == bcCode128C || FTyp == bcCodeEAN128C;
    const bool setATyp = FTyp == bcCode128A || FTyp == bcCodeEAN128A;

    QList<int> values;
    values << (setCTyp ? kStartC : setATyp ? kStartA : kStartB);
    if (ean)
        values << kFnc1;

    QString data = FText;
    if (ean && FChecksum)
        data = ApplyCheckSum(data);

    if (setCTyp) {
        if (data.size() % 2 != 0) {
            if (data == FText)
                FText = "0" + FText;
            data = "0" + data;
        }
        for (int i = 0; i + 1 < data.size(); i += 2)
            values << digit(data[i]) * 10 + digit(data[i + 1]);
    } else {
        bool inSetA = setATyp;
        for (QChar c : data) {
            const int u = c.unicode();
            if (u < ' ' || u > '~')
                Refuse(c);
            if (inSetA && u > '_') {
                // Set A has no lower-case letters: EAN-128A goes on in set B;
                // Code 128A is set A only.
                if (FTyp == bcCode128A)
                    Refuse(c);
                values << kCodeB;
                inSetA = false;
            }
            values << u - ' ';
        }
    }

    int sum = values[0];
    for (int i = 1; i < values.size(); ++i)
        sum += values[i] * i;
    values << sum % 103;

    QString widths;
    for (int v : values)
        widths += k128[v];
    widths += k128Stop;
    return widthsToModules(widths);
}

// --- Code 93 ------------------------------------------------------------------------

QString TBarcode::Code93(const QString& text)
{
    QList<int> values;
    for (QChar c : text) {
        const char* at = c.unicode() < 128 && c.unicode() != 0 ? std::strchr(kCode93Chars, char(c.unicode())) : nullptr;
        if (!at)
            throw EBarcodeError(QString("%1:Code93 bad Data <%2>").arg(kClassName, FText));
        values << int(at - kCode93Chars);
    }
    auto check = [&values](int maxWeight) {
        int sum = 0;
        int weight = 1;
        for (int i = values.size() - 1; i >= 0; --i) {
            sum += values[i] * weight;
            weight = weight == maxWeight ? 1 : weight + 1;
        }
        return sum % 47;
    };
    values << check(20);
    values << check(15);

    QString widths = "111141";
    for (int v : values)
        widths += k93[v];
    widths += "1111411";
    return widthsToModules(widths);
}

QString TBarcode::Code93Extended()
{
    QString text;
    for (QChar c : FText) {
        if (c.unicode() > 127)
            Refuse(c);
        text += fullAscii(c.unicode(), "[]{}");
    }
    return Code93(text);
}

// --- MSI, PostNet, Codabar ------------------------------------------------------------

QString TBarcode::CodeMSI()
{
    // The check digit: the digits in odd places from the right, read as a
    // number and doubled, give their digit sum; the other digits are added.
    QString odd;
    int sum = 0;
    for (int i = FText.size() - 1, place = 1; i >= 0; --i, ++place) {
        if (place % 2 == 1)
            odd.prepend(FText[i]);
        else
            sum += digit(FText[i]);
    }
    // Doubling a decimal number digit by digit: the carries never meet.
    QString doubled;
    int carry = 0;
    for (int i = odd.size() - 1; i >= 0; --i) {
        const int d = digit(odd[i]) * 2 + carry;
        doubled.prepend(QChar('0' + d % 10));
        carry = d / 10;
    }
    if (carry)
        doubled.prepend(QChar('0' + carry));
    for (QChar c : doubled)
        sum += digit(c);
    const int checkDigit = (10 - sum % 10) % 10;

    QString out = "60";
    auto add = [&out](int d) {
        for (int bit = 3; bit >= 0; --bit)
            out += (d >> bit) & 1 ? "60" : "51";
    };
    for (QChar c : FText)
        add(digit(c));
    add(checkDigit);
    return out + "515";
}

QString TBarcode::CodePostNet()
{
    QString out = "51";
    for (QChar c : FText) {
        const char* p = kPostNet[digit(c)];
        for (int j = 0; j < 5; ++j)
            out += p[j] == '1' ? "51" : "A1";
    }
    return out + "5";
}

QString TBarcode::CodeCodabar()
{
    auto pattern = [](int value) {
        QString out;
        const char* p = kCodabar[value];
        for (int j = 0; j < 7; ++j) {
            if (j % 2 == 0)
                out += p[j] == '1' ? '6' : '5';
            else
                out += p[j] == '1' ? '1' : '0';
        }
        return out;
    };
    QString out = pattern(16) + '0';   // start "A"
    for (QChar c : FText) {
        // The data characters; "A" to "D" only start and stop a symbol.
        const char* at = c.unicode() > 0 && c.unicode() < 128 ? std::strchr(kCodabarChars, char(c.unicode())) : nullptr;
        if (!at || at - kCodabarChars >= 16)
            Refuse(c);
        out += pattern(int(at - kCodabarChars)) + '0';
    }
    return out + pattern(17);          // stop "B"
}

// --- EAN and UPC -------------------------------------------------------------------------

QString TBarcode::CodeEAN8()
{
    const QString text = FChecksum ? ApplyCheckSum(zeroPad(FText, 7)) : zeroPad(FText, 8);
    if (text.size() != 8)
        BadLength("EAN8", __LINE__);
    QString out = kGuard;
    for (int i = 0; i < 4; ++i)
        out += setA(digit(text[i]));
    out += kCentre;
    for (int i = 4; i < 8; ++i)
        out += setC(digit(text[i]));
    return out + kGuard;
}

QString TBarcode::CodeEAN13()
{
    const QString text = FChecksum ? ApplyCheckSum(zeroPad(FText, 12)) : zeroPad(FText, 13);
    if (text.size() != 13)
        BadLength("EAN13", __LINE__);
    const char* parity = kEan13Parity[digit(text[0])];
    QString out = kGuard;
    for (int i = 1; i < 7; ++i)
        out += parity[i - 1] == '1' ? setB(digit(text[i])) : setA(digit(text[i]));
    out += kCentre;
    for (int i = 7; i < 13; ++i)
        out += setC(digit(text[i]));
    return out + kGuard;
}

QString TBarcode::CodeUPC_A()
{
    if (FChecksum) {
        // Eleven digits and their check digit; a twelfth digit typed is the
        // check digit made again.
        QString digits = zeroPad(FText, 11);
        if (digits.size() == 12)
            digits = digits.left(11);
        FText = ApplyCheckSum(digits);
    } else {
        FText = zeroPad(FText, 12);
    }
    if (FText.size() != 12)
        BadLength("UPC_A", __LINE__);
    QString out = kGuard;
    for (int i = 0; i < 6; ++i)
        out += setA(digit(FText[i]));
    out += kCentre;
    for (int i = 6; i < 12; ++i)
        out += setC(digit(FText[i]));
    return out + kGuard;
}

QString TBarcode::CodeUPC_E()
{
    FText = zeroPad(FText, 7);
    if (FText.size() != 7)
        BadLength(FTyp == bcCodeUPC_E0 ? "UPC_E0" : "UPC_E1", __LINE__);
    const QString six = FText.left(6);
    // The check digit is that of the UPC-A number the six digits stand for;
    // without a checksum method the seventh digit of the text is taken as it.
    int check = digit(FText[6]);
    if (CheckSumMethod == csmModulo10) {
        check = upcECheckDigit(FTyp == bcCodeUPC_E0 ? 0 : 1, six);
        if (FChecksum)
            FText[6] = QChar('0' + check);
    }
    const char* parity = kUpcEParity[check];
    QString out = kGuard;
    for (int i = 0; i < 6; ++i) {
        const bool even = (parity[i] == '1') == (FTyp == bcCodeUPC_E0);
        out += even ? setB(digit(six[i])) : setA(digit(six[i]));
    }
    return out + "050505";
}

QString TBarcode::CodeUPC_Supp2()
{
    FText = zeroPad(FText, 2);
    if (FText.size() != 2)
        BadLength("UPC Supp2", __LINE__);
    const int value = FText.toInt();
    const bool second = value % 4 >= 2, first = value % 2 == 1;
    return "506" + (second ? setB(digit(FText[0])) : setA(digit(FText[0]))) + "05"
        + (first ? setB(digit(FText[1])) : setA(digit(FText[1])));
}

QString TBarcode::CodeUPC_Supp5()
{
    FText = zeroPad(FText, 5);
    if (FChecksum && FText.size() == 6)
        FText.chop(1);   // the check digit of an earlier build is made again
    if (FText.size() != 5)
        BadLength("UPC Supp5", __LINE__);
    const QString d = FText;
    const int check = (3 * (digit(d[0]) + digit(d[2]) + digit(d[4])) + 9 * (digit(d[1]) + digit(d[3]))) % 10;
    if (FChecksum)
        FText += QChar('0' + check);
    const char* parity = kSupp5Parity[check];
    QString out = "506";
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            out += "05";
        out += parity[i] == '1' ? setB(digit(d[i])) : setA(digit(d[i]));
    }
    return out;
}

// --- Widths and painting --------------------------------------------------------------------

int TBarcode::ElementWidth(QChar module) const
{
    const ushort u = module.unicode();
    if (u >= '0' && u <= '3')
        return FBarWidths[u - '0'];
    if (u >= '5' && u <= '8')
        return FBarWidths[u - '5'];
    if (u >= 'A' && u <= 'D')
        return FBarWidths[u - 'A'];
    throw EBarcodeError(QString("%1: internal Error").arg(kClassName));
}

int TBarcode::Width()
{
    const QString modules = BuildModules();
    int w = 0;
    for (QChar m : modules)
        w += ElementWidth(m);
    return w;
}

void TBarcode::setWidth(int w)
{
    const int current = Width();
    if (current > 0)
        setModul(FModul * w / current);
}

int TBarcode::RotatedWidth()
{
    double s, c;
    sinCos(FAngle, s, c);
    return roundEven(std::fabs(c) * Width() + std::fabs(s) * FHeight + 0.5);
}

int TBarcode::RotatedHeight()
{
    double s, c;
    sinCos(FAngle, s, c);
    return roundEven(std::fabs(s) * Width() + std::fabs(c) * FHeight + 0.5);
}

void TBarcode::RenderTo(QPainter& painter)
{
    const QString modules = BuildModules();
    int W = 0;
    for (QChar m : modules)
        W += ElementWidth(m);
    const int H = FHeight;

    painter.save();

    // Bars. Corners are computed on the integer grid where an element runs
    // from x to x + w - 1 inclusive (rotated, then rounded); the element then
    // covers its whole units, half a unit beyond each corner's grid point.
    double s, c;
    sinCos(FAngle, s, c);
    QPoint origin;
    if (s >= 0 && c >= 0)
        origin = QPoint(0, roundEven(s * W));
    else if (s >= 0)
        origin = QPoint(roundEven(-c * W), roundEven(s * W - c * H));
    else if (c >= 0)
        origin = QPoint(roundEven(-s * H), 0);
    else
        origin = QPoint(roundEven(-c * W - s * H), roundEven(-c * H));
    origin += QPoint(FLeft, FTop);

    auto corner = [&](int X, int Y, double dx, double dy) {
        const double gx = roundEven(c * X + s * Y) + origin.x();
        const double gy = roundEven(-s * X + c * Y) + origin.y();
        return QPointF(gx + c * dx + s * dy + 0.5, gy - s * dx + c * dy + 0.5);
    };

    painter.setPen(Qt::NoPen);
    int x = 0;
    for (QChar m : modules) {
        const int w = ElementWidth(m);
        const ushort u = m.unicode();
        const bool bar = u >= '5';
        int y0 = 0;
        const int y1 = H;
        if (u >= 'A')
            y0 = H - H * 2 / 5;
        painter.setBrush(bar ? ColorBar : Color);
        const QPointF quad[4] = {
            corner(x, y0, -0.5, -0.5),
            corner(x, y1, -0.5, 0.5),
            corner(x + w - 1, y1, 0.5, 0.5),
            corner(x + w - 1, y0, 0.5, -0.5),
        };
        painter.drawPolygon(quad, 4);
        x += w;
    }

    // The human-readable line, never rotated, on a white box.
    if (FShowText != bcoNone) {
        painter.setFont(FShowTextFont);
        painter.setPen(ShowTextFontColor);
        painter.setBrush(Qt::white);
        const QFontMetrics fm = painter.fontMetrics();
        auto write = [&](int tx, int ty, const QString& text) {
            const QRect box(tx, ty, fm.horizontalAdvance(text), fm.height());
            painter.fillRect(box, Qt::white);
            painter.drawText(QPoint(tx, ty + fm.ascent()), text);
        };
        if (FShowText == bcoCode || FShowText == bcoBoth) {
            const int tw = fm.horizontalAdvance(FText);
            int tx = FLeft;
            if (FShowTextPosition == stpTopRight || FShowTextPosition == stpBottomRight)
                tx = FLeft + W - tw;
            else if (FShowTextPosition == stpTopCenter || FShowTextPosition == stpBottomCenter)
                tx = FLeft + (W - tw) / 2;
            int ty = FTop;
            if (FShowTextPosition >= stpBottomLeft)
                ty = FTop + H - fm.height();
            write(tx, ty, FText);
        }
        if (FShowText == bcoTyp || FShowText == bcoBoth) {
            // The font's height as the platform gives it: negative, the
            // character height in device units.
            const QPaintDevice* device = painter.device();
            const int dpi = device ? device->logicalDpiY() : 96;
            const int fontHeight = FShowTextFont.pixelSize() > 0
                ? -FShowTextFont.pixelSize()
                : -roundEven(FShowTextFont.pointSizeF() * dpi / 72.0);
            write(FLeft, FTop + roundEven(fontHeight * 2.5), SymbologyName());
        }
    }

    painter.restore();
}
