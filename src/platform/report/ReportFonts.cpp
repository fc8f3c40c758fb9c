#include "platform/report/ReportFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QTextLayout>
#include <QtGlobal>

#include <array>

namespace {

const char* const kFaces[] = {
    "DejaVuSans.ttf",          "DejaVuSans-Bold.ttf",          "DejaVuSans-Oblique.ttf",
    "DejaVuSans-BoldOblique.ttf", "DejaVuSansCondensed.ttf",   "DejaVuSansCondensed-Bold.ttf",
    "DejaVuSansCondensed-Oblique.ttf", "DejaVuSansCondensed-BoldOblique.ttf", "DejaVuSerif.ttf",
    "DejaVuSerif-Bold.ttf",    "DejaVuSerif-Italic.ttf",       "DejaVuSerif-BoldItalic.ttf",
};

int& registeredState()
{
    static int state = 0;   // 0 not tried, 1 registered, -1 missing
    return state;
}

QString familyFor(const QString& design)
{
    const QString f = design.toLower();
    if (f.contains("condensed") || f.contains("narrow"))
        return ReportFonts::kCondensed;
    if (f.contains("serif") && !f.contains("sans"))
        return ReportFonts::kSerif;
    static const char* const serifs[] = {"times", "georgia", "garamond", "book antiqua", "palatino",
                                        "cambria", "century", "bookman", "roman"};
    for (const char* s : serifs)
        if (f.contains(QLatin1String(s)))
            return ReportFonts::kSerif;
    return ReportFonts::kSans;
}

} // namespace

QString ReportFonts::fontFolder()
{
    return "/usr/share/fonts/truetype/dejavu";
}

bool ReportFonts::ensureRegistered()
{
    int& state = registeredState();
    if (state != 0)
        return state > 0;
    const QDir dir(fontFolder());
    int loaded = 0;
    for (const char* face : kFaces) {
        const QString path = dir.filePath(QLatin1String(face));
        if (QFileInfo(path).isFile() && QFontDatabase::addApplicationFont(path) >= 0)
            ++loaded;
    }
    state = loaded > 0 ? 1 : -1;
    if (state < 0)
        qWarning("Rapor yazı tipleri bulunamadı: %s (fonts-dejavu-core paketi kurulu değil)",
                 qPrintable(fontFolder()));
    return state > 0;
}

namespace {

// What fonts give again and again during a layout (a report asks for the
// same few fonts for every row): kept per thread, dropped when it grows
// large. The caches are never destroyed: fonts must not outlive the
// application object, and these would at the end of the program.
template <class V>
class FontCache {
public:
    template <class Make>
    V& get(const QFont& font, Make make)
    {
        auto it = m_values.find(font);
        if (it != m_values.end())
            return *it;
        if (m_values.size() >= 256)
            m_values.clear();
        return *m_values.insert(font, make());
    }

private:
    QHash<QFont, V> m_values;
};

QFont resolveUncached(const QFont& design);

const QFontMetricsF& metricsOf(const QFont& font)
{
    thread_local auto* cache = new FontCache<QFontMetricsF>;
    return cache->get(font, [&] { return QFontMetricsF(font, ReportFonts::referenceDevice()); });
}

// The advance of a text in reference pixels. Lists print the same region,
// belt, title and date in row after row: short texts are measured once per
// font. The widths of all fonts together are bounded (a list of the whole
// register measures a new name in every row, under each size a fitted text
// tries): past kWidthsKept the widths start again.
qreal advanceOf(const QFont& font, const QString& text)
{
    if (text.size() > 64)
        return metricsOf(font).horizontalAdvance(text);
    constexpr int kWidthsKept = 32768;
    thread_local auto* cache = new FontCache<QHash<QString, qreal>>;
    thread_local int kept = 0;
    if (kept >= kWidthsKept) {
        delete cache;
        cache = new FontCache<QHash<QString, qreal>>;
        kept = 0;
    }
    QHash<QString, qreal>& widths = cache->get(font, [] { return QHash<QString, qreal>(); });
    auto it = widths.constFind(text);
    if (it != widths.constEnd())
        return *it;
    const qreal w = metricsOf(font).horizontalAdvance(text);
    widths.insert(text, w);
    ++kept;
    return w;
}

// An estimate of a text's advance from its letters' advances and the
// kerning of each pair of them, both measured once per font: a few table
// looks instead of shaping the text. -1 for a text with a letter the
// estimate does not cover (beyond the Latin letters, control characters).
// Ligatures and other shaping it leaves out move it by a fraction of a
// per cent; it only decides where the text is far from a limit.
qreal estimateOf(const QFont& font, const QString& text)
{
    constexpr char16_t kCovered = 0x250;
    struct Table {
        std::array<qreal, kCovered> advance{};
        std::array<bool, kCovered> known{};
        QHash<quint32, qreal> kerning;
    };
    thread_local auto* cache = new FontCache<Table>;
    Table& t = cache->get(font, [] { return Table(); });
    const QFontMetricsF& m = metricsOf(font);
    auto advance = [&](char16_t c) {
        if (!t.known[c]) {
            t.advance[c] = m.horizontalAdvance(QChar(c));
            t.known[c] = true;
        }
        return t.advance[c];
    };
    qreal width = 0;
    char16_t previous = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || c >= kCovered || (c >= 0x7F && c < 0xA0))
            return -1;
        width += advance(c);
        if (previous) {
            const quint32 pair = (quint32(previous) << 16) | c;
            auto it = t.kerning.constFind(pair);
            if (it == t.kerning.constEnd()) {
                const QChar two[2] = {QChar(previous), QChar(c)};
                it = t.kerning.insert(pair, m.horizontalAdvance(QString(two, 2)) - advance(previous) - advance(c));
            }
            width += *it;
        }
        previous = c;
    }
    return width;
}

// 1 when the text is clearly within `limit` reference pixels, -1 when
// clearly beyond it, 0 when it must be measured.
int clearly(const QFont& font, const QString& text, qreal limit)
{
    const qreal estimate = estimateOf(font, text);
    if (estimate < 0)
        return 0;
    const qreal slack = 0.03 * qAbs(limit) + 2;
    if (estimate <= limit - slack)
        return 1;
    if (estimate > limit + slack)
        return -1;
    return 0;
}

// Whether a text's advance is at most `limit` reference pixels.
bool within(const QFont& font, const QString& text, qreal limit)
{
    if (const int c = clearly(font, text, limit))
        return c > 0;
    return advanceOf(font, text) <= limit;
}

} // namespace

bool ReportFonts::fitsWidth(const QFont& font, const QString& text, double width)
{
    if (const int c = clearly(font, text, mmToRef(width)))
        return c > 0;
    return textWidth(font, text) <= width;
}

QFont ReportFonts::resolve(const QFont& design)
{
    ensureRegistered();
    thread_local auto* cache = new FontCache<QFont>;
    return cache->get(design, [&] { return resolveUncached(design); });
}

namespace {

QFont resolveUncached(const QFont& design)
{
    const QString family = familyFor(design.family());
    QFont f(family);
    f.setPointSizeF(design.pointSizeF() > 0 ? design.pointSizeF() : 10.0);
    f.setWeight(design.weight());
    f.setItalic(design.italic());
    f.setUnderline(design.underline());
    f.setStrikeOut(design.strikeOut());
    // DejaVu Sans also carries condensed faces: ask for the normal width so
    // that bold and oblique come from the wide family. The condensed family
    // keeps its own width (asked for the normal width, its faces would be
    // widened to it).
    f.setStretch(family == ReportFonts::kCondensed ? QFont::AnyStretch : QFont::Unstretched);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace

QFont ReportFonts::standard(double points)
{
    QFont f(kSans);
    f.setPointSizeF(points);
    return resolve(f);
}

QPaintDevice* ReportFonts::referenceDevice()
{
    static QImage* device = [] {
        auto* img = new QImage(4, 4, QImage::Format_ARGB32_Premultiplied);
        const int dpm = qRound(kReferenceDpi / 0.0254);
        img->setDotsPerMeterX(dpm);
        img->setDotsPerMeterY(dpm);
        return img;
    }();
    return device;
}

double ReportFonts::textWidth(const QFont& font, const QString& text)
{
    return refToMm(advanceOf(font, text));
}

double ReportFonts::lineHeight(const QFont& font)
{
    return refToMm(metricsOf(font).lineSpacing());
}

QStringList ReportFonts::wrap(const QFont& font, const QString& text, double width)
{
    QStringList lines;
    QString normalised = text;
    normalised.replace("\r\n", "\n");
    normalised.replace('\r', '\n');
    const QStringList paragraphs = normalised.split('\n');
    const double limit = mmToRef(width);
    for (const QString& para : paragraphs) {
        if (para.isEmpty() || limit <= 0) {
            lines << para;
            continue;
        }
        // A line that is narrower than the width whole needs no breaking
        // (the common case: a name in its column). A 64th of a pixel keeps
        // the measure on the safe side of the layout's own.
        if (within(font, para, limit - 1.0 / 64)) {
            QString piece = para;
            while (piece.endsWith(' '))
                piece.chop(1);
            lines << piece;
            continue;
        }
        QTextLayout layout(para, font, referenceDevice());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(limit);
            QString piece = para.mid(line.textStart(), line.textLength());
            while (piece.endsWith(' '))
                piece.chop(1);
            lines << piece;
        }
        layout.endLayout();
    }
    return lines;
}
