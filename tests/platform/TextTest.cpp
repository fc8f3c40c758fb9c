#include "platform/text/CodePage.h"
#include "platform/text/Rtf.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// --- Code page 1254 --------------------------------------------------------

struct LetterByte {
    const char* letter;
    unsigned char byte;
};

class Cp1254Letters : public ::testing::TestWithParam<LetterByte> {};

TEST_P(Cp1254Letters, EachTurkishLetterHasItsByte)
{
    const QString letter = QString::fromUtf8(GetParam().letter);
    bool lossless = false;
    const QByteArray bytes = Cp1254::encode(letter, &lossless);
    EXPECT_TRUE(lossless);
    ASSERT_EQ(bytes.size(), 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), GetParam().byte);
    EXPECT_EQ(Cp1254::decode(bytes), letter);
}

INSTANTIATE_TEST_SUITE_P(Turkish, Cp1254Letters,
                         ::testing::Values(LetterByte{"Ğ", 0xD0}, LetterByte{"ğ", 0xF0}, LetterByte{"İ", 0xDD},
                                           LetterByte{"ı", 0xFD}, LetterByte{"Ş", 0xDE}, LetterByte{"ş", 0xFE},
                                           LetterByte{"Ü", 0xDC}, LetterByte{"ü", 0xFC}, LetterByte{"Ö", 0xD6},
                                           LetterByte{"ö", 0xF6}, LetterByte{"Ç", 0xC7}, LetterByte{"ç", 0xE7},
                                           LetterByte{"â", 0xE2}, LetterByte{"€", 0x80}, LetterByte{"i", 0x69},
                                           LetterByte{"I", 0x49}));

TEST(Cp1254, TextRoundTrips)
{
    const QString text = QString::fromUtf8("AHMET ÇAĞLAR;5321234567\r\nŞÜKRÜ İĞNECİ (0212 555 44 33)\r\nışığöüç");
    bool lossless = false;
    const QByteArray bytes = Cp1254::encode(text, &lossless);
    EXPECT_TRUE(lossless);
    EXPECT_EQ(bytes.size(), text.size()) << "one byte per character";
    EXPECT_EQ(Cp1254::decode(bytes), text);
}

TEST(Cp1254, CharacterWithoutAByteBecomesAQuestionMark)
{
    bool lossless = true;
    const QByteArray bytes = Cp1254::encode(QString::fromUtf8("AЖB→Ş"), &lossless);
    EXPECT_FALSE(lossless);
    EXPECT_EQ(bytes, QByteArray("A?B?\xDE"));
}

TEST(Cp1254, UndefinedBytesReadAsTheirOwnNumber)
{
    // 0x81 has no character in code page 1254; nothing around it is lost.
    const QString s = Cp1254::decode(QByteArray("A\x81\xDE"));
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0], QChar('A'));
    EXPECT_EQ(s[1].unicode(), 0x81);
    EXPECT_EQ(s[2].unicode(), 0x015E);
}

TEST(Cp1254, FileIsWrittenAndReadInTheCodePage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Liste.csv");
    const QString text = QString::fromUtf8("GÜLŞEN ÖZ;5331112233\r\n");
    ASSERT_TRUE(Cp1254::writeFile(path, text));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("G\xDCL\xDE" "EN \xD6Z;5331112233\r\n"));
    QString back;
    ASSERT_TRUE(Cp1254::readFile(path, back));
    EXPECT_EQ(back, text);
}

TEST(Cp1254, WriteIntoAMissingFolderFailsWithAReason)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(Cp1254::writeFile(dir.filePath("yok/Liste.csv"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    QString text;
    EXPECT_FALSE(Cp1254::readFile(dir.filePath("yok.txt"), text, &error));
}

// --- RTF -------------------------------------------------------------------

struct Span {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    qreal size = 0;         // 0: the document's
    QColor colour;          // invalid: automatic
};

QTextCharFormat formatOf(bool bold = false, bool italic = false, bool underline = false, qreal size = 0,
                         const QColor& colour = QColor())
{
    QTextCharFormat f;
    if (bold)
        f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    if (size > 0)
        f.setFontPointSize(size);
    if (colour.isValid())
        f.setForeground(colour);
    return f;
}

// The fragments of a document as spans, one list per paragraph, with the
// effective size (the document's where none is given).
QList<QList<Span>> spansOf(const QTextDocument& doc)
{
    QList<QList<Span>> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QList<Span> para;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            Span s;
            s.text = it.fragment().text();
            s.bold = f.fontWeight() > QFont::Normal;
            s.italic = f.fontItalic();
            s.underline = f.fontUnderline();
            s.size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : doc.defaultFont().pointSizeF();
            if (f.foreground().style() != Qt::NoBrush)
                s.colour = f.foreground().color();
            if (!para.isEmpty() && para.last().bold == s.bold && para.last().italic == s.italic &&
                para.last().underline == s.underline && para.last().size == s.size && para.last().colour == s.colour)
                para.last().text += s.text;
            else
                para << s;
        }
        out << para;
    }
    return out;
}

void expectSameSpans(const QTextDocument& a, const QTextDocument& b)
{
    const auto x = spansOf(a);
    const auto y = spansOf(b);
    ASSERT_EQ(x.size(), y.size()) << "paragraphs";
    for (int p = 0; p < x.size(); ++p) {
        ASSERT_EQ(x[p].size(), y[p].size()) << "runs of paragraph " << p;
        for (int i = 0; i < x[p].size(); ++i) {
            SCOPED_TRACE(x[p][i].text.toStdString());
            EXPECT_EQ(x[p][i].text, y[p][i].text);
            EXPECT_EQ(x[p][i].bold, y[p][i].bold);
            EXPECT_EQ(x[p][i].italic, y[p][i].italic);
            EXPECT_EQ(x[p][i].underline, y[p][i].underline);
            EXPECT_DOUBLE_EQ(x[p][i].size, y[p][i].size);
            EXPECT_EQ(x[p][i].colour, y[p][i].colour);
        }
    }
}

QTextDocument* letter(QObject* parent)
{
    auto* doc = new QTextDocument(parent);
    QFont f("DejaVu Sans");
    f.setPointSize(11);
    doc->setDefaultFont(f);
    QTextCursor c(doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    c.insertText(QString::fromUtf8("SAYIN ÜYEMİZ"), formatOf(true, false, false, 14));
    c.insertBlock(QTextBlockFormat());
    c.insertText(QString::fromUtf8("Federasyonumuzun "), formatOf());
    c.insertText(QString::fromUtf8("ışığında"), formatOf(false, true));
    c.insertText(" ", formatOf());
    c.insertText(QString::fromUtf8("düzenlenen"), formatOf(false, false, true));
    c.insertText(" ", formatOf());
    c.insertText(QString::fromUtf8("şampiyona"), formatOf(true, true, true, 9, QColor(0, 111, 0)));
    c.insertText(QString::fromUtf8(" {önemli} \\ notlar:\tçağrı"), formatOf(false, false, false, 0, Qt::red));
    c.insertBlock(QTextBlockFormat());
    c.insertBlock(QTextBlockFormat());
    c.insertText(QString::fromUtf8("İmza") + QChar(QChar::LineSeparator) + QString::fromUtf8("Başkan → Ж"),
                 formatOf(false, false, false, 0, QColor(0, 0, 128)));
    return doc;
}

TEST(Rtf, LetterRoundTripsWithItsFormatting)
{
    QObject owner;
    QTextDocument* doc = letter(&owner);
    const QByteArray rtf = Rtf::fromDocument(*doc);
    QTextDocument back;
    ASSERT_TRUE(Rtf::toDocument(rtf, back));
    EXPECT_EQ(back.toPlainText(), doc->toPlainText());
    expectSameSpans(*doc, back);
    EXPECT_EQ(back.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(back.firstBlock().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // Written again, it gives the same text.
    EXPECT_EQ(Rtf::fromDocument(back), rtf);
}

TEST(Rtf, TurkishLettersAreCodePageEscapes)
{
    QTextDocument doc;
    doc.setPlainText(QString::fromUtf8("ĞğİıŞşÜüÖöÇç Ж"));
    const QByteArray rtf = Rtf::fromDocument(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1254"));
    EXPECT_TRUE(rtf.contains("\\'d0\\'f0\\'dd\\'fd\\'de\\'fe\\'dc\\'fc\\'d6\\'f6\\'c7\\'e7 \\u1046?")) << rtf.constData();
    for (const char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "RTF text is plain ASCII";
}

TEST(Rtf, EmptyParagraphsAndAnEmptyDocumentSurvive)
{
    QTextDocument empty;
    QTextDocument back;
    back.setPlainText("eski");
    ASSERT_TRUE(Rtf::toDocument(Rtf::fromDocument(empty), back));
    EXPECT_EQ(back.toPlainText(), "");

    QTextDocument lines;
    lines.setPlainText("\nBİR\n\nİKİ\n");
    ASSERT_TRUE(Rtf::toDocument(Rtf::fromDocument(lines), back));
    EXPECT_EQ(back.toPlainText(), lines.toPlainText());
    EXPECT_EQ(back.blockCount(), 5);
}

// What a word processor writes: tables, generator group, \uN with fallback,
// fonts with their own charset, a closing \par.
const char* const kWordPad =
    "{\\rtf1\\ansi\\ansicpg1254\\deff0\\nouicompat\\deflang1055"
    "{\\fonttbl{\\f0\\fnil\\fcharset162 Calibri;}{\\f1\\fswiss\\fcharset0 Arial{\\*\\falt Helv};}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\stylesheet{ Normal;}{\\s1 heading 1;}}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f0\\fs28 SAYIN \\'dcYEM\\'ddZ\\b0\\par\r\n"
    "\\pard\\fs22 Tarih:\\tab 05.03.2009\\line\\cf1\\i K\\u305?sa\\i0\\cf0  not \\ul alt\\ulnone  "
    "\\cf2 lacivert\\cf0\\par\r\n"
    "\\f1\\'de\\'e9 \\{x\\}\\par\r\n"
    "}\r\n";

TEST(Rtf, ReadsWhatAWordProcessorWrites)
{
    QTextDocument doc;
    ASSERT_TRUE(Rtf::toDocument(kWordPad, doc));
    // The line break inside the second paragraph reads as "\n" here too;
    // the Arial font's own code page (1252) makes \'de a thorn, not an S.
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("SAYIN ÜYEMİZ\nTarih:\t05.03.2009\nKısa not alt lacivert\nÞé {x}"));
    EXPECT_TRUE(doc.firstBlock().next().text().contains(QChar(QChar::LineSeparator)));
    ASSERT_EQ(doc.blockCount(), 3) << "the closing \\par adds no empty paragraph";
    const auto spans = spansOf(doc);
    ASSERT_EQ(spans[0].size(), 1);
    EXPECT_TRUE(spans[0][0].bold);
    EXPECT_DOUBLE_EQ(spans[0][0].size, 14);
    EXPECT_EQ(doc.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.firstBlock().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    const QList<Span>& p = spans[1];
    auto find = [&](const QString& text) {
        for (const Span& s : p)
            if (s.text.contains(text))
                return s;
        ADD_FAILURE() << "no run with " << text.toStdString();
        return Span{};
    };
    const Span kisa = find(QString::fromUtf8("Kısa"));
    EXPECT_TRUE(kisa.italic);
    EXPECT_EQ(kisa.colour, QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(kisa.size, 11);
    EXPECT_TRUE(find("alt").underline);
    EXPECT_FALSE(find(" not ").underline);
    EXPECT_EQ(find("lacivert").colour, QColor(0, 0, 128));
    EXPECT_FALSE(find(" not ").colour.isValid());
}

TEST(Rtf, TextThatIsNoRtfLeavesTheDocumentAlone)
{
    QTextDocument doc;
    doc.setPlainText("metin");
    EXPECT_FALSE(Rtf::toDocument("Merhaba {\\b dünya}", doc));
    EXPECT_EQ(doc.toPlainText(), "metin");
}

TEST(Rtf, FileSaveAndLoad)
{
    QTemporaryDir dir;
    QObject owner;
    QTextDocument* doc = letter(&owner);
    QString error;
    ASSERT_TRUE(Rtf::save(*doc, dir.filePath("M7.rtf"), &error)) << error.toStdString();
    QTextDocument back;
    ASSERT_TRUE(Rtf::load(back, dir.filePath("M7.rtf"), &error)) << error.toStdString();
    expectSameSpans(*doc, back);

    EXPECT_FALSE(Rtf::save(*doc, dir.filePath("yok/M7.rtf"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(Rtf::load(back, dir.filePath("M8.rtf"), &error));
}

} // namespace
