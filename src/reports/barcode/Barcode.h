#pragma once
// The barcode generator: turns a text into the bars and spaces of one of 23
// symbologies (the module string) and paints them with a QPainter, rotated by
// any angle, optionally with a human-readable line. No widgets: the cards'
// report control (ReportBarcode.h) and tests use it directly.
//
//   TBarcode b;
//   b.setTyp(bcCodeEAN128A);
//   b.setHeight(40);
//   b.setText("1234567");
//   QString modules = b.BuildModules();   // "7052..." one character per element
//   int w = b.Width();                    // 123 canvas units at Modul 1
//   b.RenderTo(painter);                  // bars at (Left, Top), Height tall
//
// The module string: "0" to "3" a space of width w0 to w3, "5" to "8" a full
// bar of width w0 to w3, "A" to "D" a bar of two fifths of the height (PostNet
// only). w0 is Modul, w1 Modul × Ratio (rounded, halves to even), w2 is
// w1 × 3 / 2, w3 is 2 × w1. Symbologies whose patterns are written in module
// counts (Code 128 and EAN-128, Code 93, EAN, UPC and the add-ons) always use
// 1, 2, 3 and 4 modules, so they scan whatever Ratio holds.
//
// What the encoders store back into Text: the digits-only types trim it;
// Code 128C and EAN-128C put a "0" in front of an odd number of digits;
// UPC-A pads to 12 digits (with Checksum: 11 digits and their check digit),
// UPC-E to 7 (with Checksum the seventh becomes the check digit), the add-ons
// to 2 and 5 digits (with Checksum the five digits get their check digit as a
// sixth). EAN-8, EAN-13 and EAN-128 add their check digits for the symbol only.
//
// A text a symbology cannot carry is refused (EBarcodeError), never replaced
// or shortened, so a scanner reads what was typed:
//   "Barcode must be numeric"                  a digits-only type with a non-digit
//   "TBarcode:Code93 bad Data <text>"          a character outside Code 93
//   "Invalid Text len (EAN13) (Barcode.cpp, line n)"   a fixed length not met
//                                              (EAN8, EAN13, UPC_A, UPC_E0/E1, UPC Supp2/5)
//   "Code39 barkodunda \"ş\" karakteri kodlanamaz."     any other character
//   "2_5_interleaved barkodu çift sayıda rakam ister."   an odd number of digits
// EAN-128A starts in code set A and switches to code set B at the first
// character set A lacks (lower-case letters and "`{|}~"), so "ab" scans as "ab".
// The module string is built before anything is painted: a refused text
// paints nothing.

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <stdexcept>

class QPainter;

enum TBarcodeType {
    bcCode_2_5_interleaved,
    bcCode_2_5_industrial,
    bcCode_2_5_matrix,
    bcCode39,
    bcCode39Extended,
    bcCode128A,
    bcCode128B,
    bcCode128C,
    bcCode93,
    bcCode93Extended,
    bcCodeMSI,
    bcCodePostNet,
    bcCodeCodabar,
    bcCodeEAN8,
    bcCodeEAN13,
    bcCodeUPC_A,
    bcCodeUPC_E0,
    bcCodeUPC_E1,
    bcCodeUPC_Supp2,
    bcCodeUPC_Supp5,
    bcCodeEAN128A,
    bcCodeEAN128B,
    bcCodeEAN128C,
};
constexpr int kBarcodeTypeCount = 23;

enum TCheckSumMethod { csmNone, csmModulo10 };

// What the human-readable line shows.
enum TBarcodeOption { bcoNone, bcoCode, bcoTyp, bcoBoth };

enum TShowTextPosition { stpTopLeft, stpTopRight, stpTopCenter, stpBottomLeft, stpBottomRight, stpBottomCenter };

// A text the chosen symbology cannot carry, or a broken generator state.
class EBarcodeError : public std::runtime_error {
public:
    explicit EBarcodeError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

class TBarcode {
public:
    TBarcode();
    virtual ~TBarcode() = default;
    TBarcode(const TBarcode&) = delete;
    TBarcode& operator=(const TBarcode&) = delete;

    // Copies every property, OnChange included.
    void Assign(const TBarcode& source);

    // Setters store the value and fire Change only when it differs.
    int Height() const { return FHeight; }            // bar height in canvas units
    void setHeight(int v);
    QString Text() const { return FText; }
    void setText(const QString& v);
    int Top() const { return FTop; }
    void setTop(int v);
    int Left() const { return FLeft; }
    void setLeft(int v);
    // Narrow element width in canvas units; values outside 1 to 49 are ignored.
    int Modul() const { return FModul; }
    void setModul(int v);
    // Wide-to-narrow ratio; brought into the symbology's range (2.0 to 3.0,
    // 2.25 to 3.0 for 2 of 5 matrix, free for Code 128, Code 93, MSI and
    // PostNet) when the next symbol is built.
    double Ratio() const { return FRatio; }
    void setRatio(double v);
    TBarcodeType Typ() const { return FTyp; }
    void setTyp(TBarcodeType v);
    // Adds the optional check character or digit where the symbology has one.
    bool Checksum() const { return FChecksum; }
    void setChecksum(bool v);
    // How the optional check digit of the EAN, UPC and EAN-128 types is made.
    TCheckSumMethod CheckSumMethod = csmModulo10;
    // Rotation in degrees, counter-clockwise on the screen.
    double Angle() const { return FAngle; }
    void setAngle(double v);
    TBarcodeOption ShowText() const { return FShowText; }
    void setShowText(TBarcodeOption v);
    // The human-readable line's font (always fires Change) and colour.
    const QFont& ShowTextFont() const { return FShowTextFont; }
    void setShowTextFont(const QFont& v);
    QColor ShowTextFontColor = Qt::black;
    TShowTextPosition ShowTextPosition() const { return FShowTextPosition; }
    void setShowTextPosition(TShowTextPosition v);
    QColor Color = Qt::white;      // spaces
    QColor ColorBar = Qt::black;   // bars

    // The symbol's width: the sum of its element widths. Setting it scales
    // Modul by W / current width (integer division, so the 1 to 49 rule holds).
    int Width();
    void setWidth(int w);

    // Fired by Change.
    std::function<void()> OnChange;
    virtual void Change();

    // The module string of the current properties (see the top of this file).
    QString BuildModules();
    // The display name of Typ ("EAN128A", "Codebar", ...).
    QString SymbologyName() const;
    static QString SymbologyName(TBarcodeType typ);
    // Whether a type takes digits only.
    static bool DigitsOnly(TBarcodeType typ);
    // The digits followed by their EAN/UPC modulo-10 check digit (weights
    // 3, 1, 3 ... from the right): "1234567" gives "12345670".
    static QString AppendCheckDigitMod10(const QString& digits);

    // Paints the symbol at (Left, Top) and, unless ShowText is bcoNone, its
    // text; the painter's font, pen and brush are given back afterwards.
    // Throws EBarcodeError before painting anything when the text is refused.
    void RenderTo(QPainter& painter);
    // The bounding box of the rotated symbol.
    int RotatedWidth();
    int RotatedHeight();

    // w0 to w3 of the last build.
    const int* BarWidths() const { return FBarWidths; }
    // The width of one element of a module string ("%s: internal Error" for
    // a character that is none).
    int ElementWidth(QChar module) const;

private:
    // Stores a changed value and tells OnChange; an unchanged one is left alone.
    template <typename T>
    void setField(T& field, const T& v)
    {
        if (field != v) {
            field = v;
            Change();
        }
    }
    void MakeBarWidths();
    QString ApplyCheckSum(const QString& data) const;
    [[noreturn]] void Refuse(QChar c) const;
    [[noreturn]] void BadLength(const char* name, int line) const;

    QString Code_2_5_interleaved();
    QString Code_2_5_industrial();
    QString Code_2_5_matrix();
    QString Code39(const QString& text);
    QString Code39Extended();
    QString Code128();
    QString Code93(const QString& text);
    QString Code93Extended();
    QString CodeMSI();
    QString CodePostNet();
    QString CodeCodabar();
    QString CodeEAN8();
    QString CodeEAN13();
    QString CodeUPC_A();
    QString CodeUPC_E();
    QString CodeUPC_Supp2();
    QString CodeUPC_Supp5();

    int FHeight = 0;
    QString FText;
    int FTop = 0;
    int FLeft = 0;
    int FModul = 1;
    double FRatio = 2.0;
    TBarcodeType FTyp = bcCodeEAN13;
    bool FChecksum = false;
    double FAngle = 0;
    TBarcodeOption FShowText = bcoNone;
    QFont FShowTextFont;
    TShowTextPosition FShowTextPosition = stpTopLeft;
    int FBarWidths[4] = {1, 2, 3, 4};
};
