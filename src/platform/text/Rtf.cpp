#include "platform/text/Rtf.h"

#include "platform/text/CodePage.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QMutex>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <array>

namespace {

// The largest number a control word carries here (RTF numbers are 16 or 32 bit).
constexpr qint64 rtfParamLimit = 2147483647;


// ---------------------------------------------------------------------------
// Single-byte code pages: byte -> character, character -> byte.

struct CodeTable {
    std::array<QChar, 256> toChar;
    QHash<char16_t, unsigned char> toByte;
};

const CodeTable& codeTable(int codePage)
{
    static QMutex mutex;
    static QHash<int, CodeTable> tables;
    QMutexLocker lock(&mutex);
    auto it = tables.find(codePage);
    if (it != tables.end())
        return *it;
    CodeTable t;
    const QByteArray name = "CP" + QByteArray::number(codePage);
    for (int b = 0; b < 256; ++b) {
        if (b < 0x80) {
            t.toChar[b] = QChar(b);
            continue;
        }
        const QString s = CodePage::decode(QByteArray(1, char(b)), name.constData());
        t.toChar[b] = s.size() == 1 ? s[0] : QChar(b);
        t.toByte.insert(t.toChar[b].unicode(), static_cast<unsigned char>(b));
    }
    return *tables.insert(codePage, t);
}

// The code page of a font's character set (\fcharsetN); 0 when the font
// takes the document's.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 162: return 1254;
    case 238: return 1250;
    case 204: return 1251;
    case 161: return 1253;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    default: return 0;
    }
}

// ---------------------------------------------------------------------------
// Writer

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = -1;
    int colour = 0;
    int font = -1;
};

QString familyOf(const QTextCharFormat& f, const QTextDocument& doc)
{
    const QVariant fams = f.property(QTextFormat::FontFamilies);
    if (fams.isValid()) {
        const QStringList l = fams.toStringList();
        if (!l.isEmpty() && !l.first().isEmpty())
            return l.first();
    }
    const QString family = f.stringProperty(QTextFormat::FontFamily);
    return family.isEmpty() ? doc.defaultFont().family() : family;
}

int halfPointsOf(const QTextCharFormat& f, const QTextDocument& doc)
{
    qreal size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : doc.defaultFont().pointSizeF();
    if (size <= 0)
        size = 10;
    return qRound(size * 2);
}

void writeText(QByteArray& out, const QString& text, const CodeTable& cp1254)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n') {
            out += "\\line ";
        } else if (u < 0x20) {
            // Other control characters have no place in the text.
        } else if (u < 0x80) {
            out += char(u);
        } else if (auto it = cp1254.toByte.find(u); it != cp1254.toByte.end()) {
            out += "\\'" + QByteArray::number(it.value(), 16).rightJustified(2, '0');
        } else {
            const int signedValue = u > 32767 ? int(u) - 65536 : int(u);
            out += "\\u" + QByteArray::number(signedValue) + "?";
        }
    }
}

// ---------------------------------------------------------------------------
// Reader

enum class Dest { Text, FontTable, ColourTable, Skip };

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;   // 0: not given
    int colour = 0;
    int font = -1;
    int uc = 1;
    Dest dest = Dest::Text;
};

struct Run {
    QString text;
    QTextCharFormat format;
};

struct Paragraph {
    Qt::Alignment alignment = Qt::AlignLeft;
    QList<Run> runs;
    bool empty() const
    {
        for (const Run& r : runs)
            if (!r.text.isEmpty())
                return false;
        return true;
    }
};

class Reader {
public:
    explicit Reader(const QByteArray& data) : m_data(data) {}

    bool parse();
    void build(QTextDocument& doc) const;

private:
    void controlWord(const QByteArray& word, bool hasParam, int param);
    void character(QChar c);
    void byteChar(unsigned char b);
    void endParagraph();
    QTextCharFormat currentFormat() const;
    int currentCodePage() const;

    const QByteArray& m_data;
    int m_pos = 0;
    QList<GroupState> m_stack;
    GroupState m_state;
    bool m_groupStart = false;
    int m_skipCount = 0;     // fallback characters still to skip after \uN

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, QString> m_fontNames;
    QHash<int, int> m_fontCodePages;
    int m_fontEntry = -1;
    QString m_fontName;
    QList<QColor> m_colours;
    int m_red = -1, m_green = -1, m_blue = -1;

    Qt::Alignment m_alignment = Qt::AlignLeft;
    QList<Paragraph> m_paragraphs;
    Paragraph m_current;
    bool m_endedWithPar = false;
};

bool isDestination(const QByteArray& w)
{
    static const QList<QByteArray> words = {
        "stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
        "footerr", "footerf", "footnote", "fldinst", "object", "themedata", "colorschememapping",
        "latentstyles", "datastore", "xmlnstbl", "listtable", "listoverridetable", "rsidtbl",
        "generator", "mmathPr", "pgdsctbl", "revtbl", "filetbl", "private", "nonshppict", "shppict",
        "bkmkstart", "bkmkend", "annotation", "atnid", "atnauthor", "xe", "tc", "txe", "userprops"};
    return words.contains(w);
}

bool Reader::parse()
{
    if (!m_data.startsWith("{\\rtf"))
        return false;
    const int n = int(m_data.size());
    while (m_pos < n) {
        const char c = m_data[m_pos];
        if (c == '{') {
            m_stack.push_back(m_state);
            m_groupStart = true;
            m_skipCount = 0;
            ++m_pos;
            continue;
        }
        if (c == '}') {
            if (m_state.dest == Dest::FontTable && m_fontEntry >= 0 && !m_fontName.trimmed().isEmpty()) {
                m_fontNames.insert(m_fontEntry, m_fontName.trimmed());
                m_fontName.clear();
            }
            if (m_stack.isEmpty())
                break;
            m_state = m_stack.takeLast();
            m_groupStart = false;
            m_skipCount = 0;
            ++m_pos;
            continue;
        }
        if (c == '\\') {
            ++m_pos;
            if (m_pos >= n)
                break;
            const char d = m_data[m_pos];
            if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
                const int start = m_pos;
                while (m_pos < n && ((m_data[m_pos] >= 'a' && m_data[m_pos] <= 'z') ||
                                     (m_data[m_pos] >= 'A' && m_data[m_pos] <= 'Z')))
                    ++m_pos;
                const QByteArray word = m_data.mid(start, m_pos - start);
                bool hasParam = false;
                int param = 0;
                bool negative = false;
                if (m_pos < n && m_data[m_pos] == '-' && m_pos + 1 < n && m_data[m_pos + 1] >= '0' &&
                    m_data[m_pos + 1] <= '9') {
                    negative = true;
                    ++m_pos;
                }
                // Every number read from the file is bounded: a long run of
                // digits stops growing at rtfParamLimit.
                qint64 value = 0;
                while (m_pos < n && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
                    hasParam = true;
                    value = qMin<qint64>(rtfParamLimit, value * 10 + (m_data[m_pos] - '0'));
                    ++m_pos;
                }
                param = int(negative ? -value : value);
                if (m_pos < n && m_data[m_pos] == ' ')
                    ++m_pos;
                if (word == "bin") {
                    // Binary data: skipped, never past the end of the file.
                    m_pos += int(qMin<qint64>(qMax(0, param), n - m_pos));
                    continue;
                }
                controlWord(word, hasParam, param);
                m_groupStart = false;
                continue;
            }
            ++m_pos;
            const bool start = m_groupStart;
            m_groupStart = false;
            switch (d) {
            case '*':
                if (start)
                    m_state.dest = Dest::Skip;
                break;
            case '\'': {
                if (m_pos + 2 <= n) {
                    bool ok = false;
                    const int b = m_data.mid(m_pos, 2).toInt(&ok, 16);
                    m_pos += 2;
                    if (ok)
                        byteChar(static_cast<unsigned char>(b));
                }
                break;
            }
            case '\\':
            case '{':
            case '}':
                character(QChar(d));
                break;
            case '~':
                character(QChar(0x00A0));
                break;
            case '_':
                character(QChar(0x2011));
                break;
            case '-':
                break;
            case '\r':
            case '\n':
                controlWord("par", false, 0);
                break;
            case '\t':
                character(QChar('\t'));
                break;
            default:
                break;
            }
            continue;
        }
        ++m_pos;
        m_groupStart = false;
        if (c == '\r' || c == '\n')
            continue;
        byteChar(static_cast<unsigned char>(c));
    }
    if (!m_current.runs.isEmpty() || !m_endedWithPar || m_paragraphs.isEmpty()) {
        m_current.alignment = m_alignment;
        m_paragraphs.push_back(m_current);
    }
    return true;
}

void Reader::controlWord(const QByteArray& w, bool hasParam, int param)
{
    if (m_state.dest == Dest::Skip)
        return;
    if (m_groupStart && isDestination(w)) {
        m_state.dest = Dest::Skip;
        return;
    }
    if (w == "fonttbl") {
        m_state.dest = Dest::FontTable;
        return;
    }
    if (w == "colortbl") {
        m_state.dest = Dest::ColourTable;
        return;
    }
    if (m_state.dest == Dest::FontTable) {
        if (w == "f") {
            m_fontEntry = param;
            m_fontName.clear();
        } else if (w == "fcharset") {
            if (const int cp = codePageOfCharset(param); cp && m_fontEntry >= 0)
                m_fontCodePages.insert(m_fontEntry, cp);
        } else if (w == "cpg" && m_fontEntry >= 0 && param > 0) {
            m_fontCodePages.insert(m_fontEntry, param);
        }
        return;
    }
    if (m_state.dest == Dest::ColourTable) {
        if (w == "red")
            m_red = param;
        else if (w == "green")
            m_green = param;
        else if (w == "blue")
            m_blue = param;
        return;
    }
    const bool on = !hasParam || param != 0;
    if (w == "ansicpg") {
        if (param > 0)
            m_ansiCodePage = param;
    } else if (w == "deff") {
        m_defaultFont = param;
    } else if (w == "par" || w == "sect" || w == "page") {
        endParagraph();
    } else if (w == "line") {
        character(QChar::LineSeparator);
    } else if (w == "tab") {
        character(QChar('\t'));
    } else if (w == "pard") {
        // A paragraph that begins after the last \par is one, even empty.
        m_alignment = Qt::AlignLeft;
        m_endedWithPar = false;
    } else if (w == "ql") {
        m_alignment = Qt::AlignLeft;
    } else if (w == "qc") {
        m_alignment = Qt::AlignHCenter;
    } else if (w == "qr") {
        m_alignment = Qt::AlignRight;
    } else if (w == "qj") {
        m_alignment = Qt::AlignJustify;
    } else if (w == "plain") {
        m_state.bold = m_state.italic = m_state.underline = false;
        m_state.halfPoints = 0;
        m_state.colour = 0;
        m_state.font = -1;
    } else if (w == "b") {
        m_state.bold = on;
    } else if (w == "i") {
        m_state.italic = on;
    } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulth") {
        m_state.underline = on;
    } else if (w == "ulnone") {
        m_state.underline = false;
    } else if (w == "fs") {
        m_state.halfPoints = hasParam ? qBound(2, param, 3276) : 24;
    } else if (w == "cf") {
        m_state.colour = param;
    } else if (w == "f") {
        m_state.font = param;
    } else if (w == "uc") {
        m_state.uc = qBound(0, param, 16);
    } else if (w == "u") {
        character(param >= -32768 && param <= 65535 ? QChar(char16_t(param < 0 ? param + 65536 : param))
                                                    : QChar(QChar::ReplacementCharacter));
        m_skipCount = m_state.uc;
        return;
    } else if (w == "emdash") {
        character(QChar(0x2014));
    } else if (w == "endash") {
        character(QChar(0x2013));
    } else if (w == "bullet") {
        character(QChar(0x2022));
    } else if (w == "lquote") {
        character(QChar(0x2018));
    } else if (w == "rquote") {
        character(QChar(0x2019));
    } else if (w == "ldblquote") {
        character(QChar(0x201C));
    } else if (w == "rdblquote") {
        character(QChar(0x201D));
    }
    if (m_skipCount > 0)
        --m_skipCount;
}

int Reader::currentCodePage() const
{
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    return m_fontCodePages.value(font, m_ansiCodePage);
}

void Reader::byteChar(unsigned char b)
{
    if (m_state.dest == Dest::Text && m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    if (m_state.dest == Dest::Text || m_state.dest == Dest::FontTable) {
        const int cp = m_state.dest == Dest::FontTable ? m_fontCodePages.value(m_fontEntry, m_ansiCodePage)
                                                       : currentCodePage();
        character(b < 0x80 ? QChar(b) : codeTable(cp).toChar[b]);
        return;
    }
    if (m_state.dest == Dest::ColourTable && b == ';') {
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colours.push_back(QColor());
        else
            m_colours.push_back(QColor(qBound(0, m_red, 255), qBound(0, m_green, 255), qBound(0, m_blue, 255)));
        m_red = m_green = m_blue = -1;
    }
}

void Reader::character(QChar c)
{
    switch (m_state.dest) {
    case Dest::Skip:
    case Dest::ColourTable:
        return;
    case Dest::FontTable:
        if (c == ';') {
            if (m_fontEntry >= 0)
                m_fontNames.insert(m_fontEntry, m_fontName.trimmed());
            m_fontName.clear();
        } else {
            m_fontName += c;
        }
        return;
    case Dest::Text:
        break;
    }
    m_endedWithPar = false;
    const QTextCharFormat f = currentFormat();
    if (!m_current.runs.isEmpty() && m_current.runs.last().format == f)
        m_current.runs.last().text += c;
    else
        m_current.runs.push_back(Run{QString(c), f});
}

void Reader::endParagraph()
{
    if (m_state.dest != Dest::Text)
        return;
    m_current.alignment = m_alignment;
    m_paragraphs.push_back(m_current);
    m_current = Paragraph();
    m_endedWithPar = true;
}

QTextCharFormat Reader::currentFormat() const
{
    QTextCharFormat f;
    if (m_state.bold)
        f.setFontWeight(QFont::Bold);
    if (m_state.italic)
        f.setFontItalic(true);
    if (m_state.underline)
        f.setFontUnderline(true);
    if (m_state.halfPoints > 0)
        f.setFontPointSize(m_state.halfPoints / 2.0);
    if (m_state.colour > 0 && m_state.colour < m_colours.size() && m_colours[m_state.colour].isValid())
        f.setForeground(m_colours[m_state.colour]);
    const int font = m_state.font >= 0 ? m_state.font : m_defaultFont;
    if (const QString name = m_fontNames.value(font); !name.isEmpty())
        f.setFontFamilies(QStringList{name});
    return f;
}

void Reader::build(QTextDocument& doc) const
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (int i = 0; i < m_paragraphs.size(); ++i) {
        const Paragraph& p = m_paragraphs[i];
        QTextBlockFormat bf;
        bf.setAlignment(p.alignment);
        if (i == 0)
            cursor.setBlockFormat(bf);
        else
            cursor.insertBlock(bf);
        for (const Run& r : p.runs)
            cursor.insertText(r.text, r.format);
    }
    cursor.endEditBlock();
}

} // namespace

QByteArray Rtf::fromDocument(const QTextDocument& doc)
{
    // Fonts and colours first: their tables stand in the header.
    QStringList fonts;
    QList<QColor> colours;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString family = familyOf(f, doc);
            if (!fonts.contains(family))
                fonts << family;
            if (f.foreground().style() != Qt::NoBrush) {
                const QColor c = f.foreground().color();
                if (!colours.contains(c))
                    colours << c;
            }
        }
    }
    if (fonts.isEmpty())
        fonts << doc.defaultFont().family();

    const CodeTable& cp1254 = codeTable(1254);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1254\\deff0\\deflang1055{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset162 ";
        writeText(out, fonts[i], cp1254);
        out += ";}";
    }
    out += "}\r\n";
    if (!colours.isEmpty()) {
        out += "{\\colortbl ;";
        for (const QColor& c : colours)
            out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
                   QByteArray::number(c.blue()) + ";";
        out += "}\r\n";
    }
    out += "\\viewkind4\\uc1";

    CharState state;
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!first)
            out += "\\par\r\n";
        first = false;
        out += "\\pard";
        const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            out += "\\qc";
        else if (a & Qt::AlignJustify)
            out += "\\qj";
        else if (a & Qt::AlignRight)
            out += "\\qr";
        bool needSpace = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const QTextCharFormat f = frag.charFormat();
            CharState next;
            next.bold = f.fontWeight() > QFont::Normal;
            next.italic = f.fontItalic();
            next.underline = f.fontUnderline();
            next.halfPoints = halfPointsOf(f, doc);
            next.colour = f.foreground().style() != Qt::NoBrush ? int(colours.indexOf(f.foreground().color())) + 1 : 0;
            next.font = int(fonts.indexOf(familyOf(f, doc)));
            QByteArray words;
            if (next.font != state.font)
                words += "\\f" + QByteArray::number(next.font);
            if (next.halfPoints != state.halfPoints)
                words += "\\fs" + QByteArray::number(next.halfPoints);
            if (next.colour != state.colour)
                words += "\\cf" + QByteArray::number(next.colour);
            if (next.bold != state.bold)
                words += next.bold ? "\\b" : "\\b0";
            if (next.italic != state.italic)
                words += next.italic ? "\\i" : "\\i0";
            if (next.underline != state.underline)
                words += next.underline ? "\\ul" : "\\ulnone";
            state = next;
            if (!words.isEmpty()) {
                out += words;
                needSpace = true;
            }
            if (needSpace)
                out += ' ';
            needSpace = false;
            writeText(out, frag.text(), cp1254);
        }
    }
    out += "\r\n}\r\n";
    return out;
}

bool Rtf::toDocument(const QByteArray& rtf, QTextDocument& document)
{
    Reader reader(rtf);
    if (!reader.parse())
        return false;
    reader.build(document);
    return true;
}

bool Rtf::save(const QTextDocument& document, const QString& hostPath, QString* error)
{
    QSaveFile f(hostPath);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    f.write(fromDocument(document));
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool Rtf::load(QTextDocument& document, const QString& hostPath, QString* error)
{
    QFile f(hostPath);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (!toDocument(f.readAll(), document)) {
        if (error)
            *error = "RTF değil";
        return false;
    }
    return true;
}
