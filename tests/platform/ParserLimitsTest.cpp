// The parsers under hostile input: the smallest inputs that broke them, and
// a bounded run of random inputs for each (a fixed seed and a fixed number of
// inputs, so the run is the same every time and short enough for CI).
#include "platform/db/Database.h"
#include "platform/db/JetSql.h"
#include "platform/paths/DriveMap.h"
#include "platform/report/ReportExpression.h"
#include "platform/text/CodePage.h"
#include "platform/text/Rtf.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace ParserLimitsTestLocal {

constexpr int kParserFuzzInputs = 3000;

QByteArray parserFuzzBytes(QRandomGenerator& random, const QByteArray& alphabet, int maxLength)
{
    const int length = int(random.bounded(maxLength + 1));
    QByteArray out;
    out.reserve(length);
    for (int i = 0; i < length; ++i)
        out += alphabet.isEmpty() ? char(random.bounded(256)) : alphabet[int(random.bounded(int(alphabet.size())))];
    return out;
}

// A sample with pieces cut, doubled or replaced at random.
QByteArray parserFuzzMutate(QRandomGenerator& random, QByteArray sample)
{
    const int edits = 1 + int(random.bounded(4));
    for (int e = 0; e < edits && !sample.isEmpty(); ++e) {
        const int at = int(random.bounded(int(sample.size())));
        const int length = 1 + int(random.bounded(qMin(8, int(sample.size()) - at)));
        switch (random.bounded(3)) {
        case 0:
            sample.remove(at, length);
            break;
        case 1:
            sample.insert(at, sample.mid(at, length));
            break;
        default:
            sample[at] = char(random.bounded(256));
            break;
        }
    }
    return sample;
}

// --- Report expressions ----------------------------------------------------

TEST(ParserLimits, DeeplyNestedReportExpressionsAreRefusedNotAStackOverflow)
{
    const QString cases[] = {
        QString(10000, QChar('(')) + "1" + QString(10000, QChar(')')),
        QString(10000, QChar('-')) + "1",
        QString("NOT ").repeated(10000) + "TRUE",
        "1" + QString("+1").repeated(20000),
        QString("UPPER(").repeated(5000) + "'a'" + QString(5000, QChar(')')),
    };
    for (const QString& text : cases) {
        try {
            ReportExpression::parse(text);
            FAIL() << "parsed: " << text.left(20).toStdString();
        } catch (const ReportError& e) {
            EXPECT_TRUE(e.message().contains("iç içe ifade çok derin")) << e.message().left(60).toStdString();
        }
    }
    // Within the limit the nesting is evaluated as before.
    const QString nested = QString(100, QChar('(')) + "2" + QString(100, QChar(')')) + QString("+1").repeated(100);
    ReportExprContext ctx;
    EXPECT_EQ(ReportExpression::parse(nested).evaluate(ctx).toInt(), 102);
}

TEST(ParserLimits, RandomReportExpressionsParseOrFailWithAReportError)
{
    QRandomGenerator random(16001);
    const QByteArray alphabet = "()+-*/<>= ,'.12ANDORNOTIFUPPERSTRCOPYSUMab_";
    ReportExprContext ctx;
    ctx.field = [](const QString&, const QString&, QVariant& v) {
        v = 1;
        return true;
    };
    ctx.pageNumber = [] { return 1; };
    ctx.pageCount = [] { return QString("1"); };
    ctx.now = [] { return QDateTime(QDate(2024, 1, 1), QTime(0, 0)); };
    int parsed = 0;
    for (int i = 0; i < kParserFuzzInputs; ++i) {
        const QString text = QString::fromLatin1(parserFuzzBytes(random, alphabet, 40));
        try {
            const ReportExpression e = ReportExpression::parse(text);
            ++parsed;
            e.evaluate(ctx);
        } catch (const ReportError&) {
        }
    }
    EXPECT_GT(parsed, 0);
}

// --- The dialect translator -------------------------------------------------

TEST(ParserLimits, RandomStatementsTranslateWithoutASecondStatement)
{
    QRandomGenerator random(16002);
    const QByteArray alphabet = "select*fromC_KISIwhere&'\"[]#/-(): ;\n0123topdeleteTrueorder by,";
    for (int i = 0; i < kParserFuzzInputs; ++i) {
        const QString jet = QString::fromLatin1(parserFuzzBytes(random, alphabet, 60));
        const QString sql = JetSql::translate(jet);
        // A statement with no ";" of its own never gets one.
        if (!jet.contains(';')) {
            EXPECT_FALSE(sql.contains(';')) << jet.toStdString();
        }
    }
}

TEST(ParserLimits, RandomStatementsNeverChangeADatabaseTheyDoNotName)
{
    QTemporaryDir dir;
    Database db;
    db.open(dir.filePath("fuzz.mdb"), false);
    db.exec("create table C_KISI (Key_No integer, Ad text)");
    db.exec("insert into C_KISI values (1, 'ALİ')");
    QRandomGenerator random(16003);
    const QByteArray alphabet = "selct*fromC_KISwhe&'\"[]#/-(): 0123Ad,Nz(Mid(Space(CInt(1e300";
    for (int i = 0; i < 1000; ++i) {
        const QString jet = "select " + QString::fromLatin1(parserFuzzBytes(random, alphabet, 40));
        try {
            db.select(jet);
        } catch (const DbError&) {
        }
    }
    EXPECT_EQ(db.scalar("select count(*) from C_KISI").toInt(), 1);
}

// --- RTF --------------------------------------------------------------------

TEST(ParserLimits, RtfCountsAndLengthsFromTheFileAreBounded)
{
    const QByteArray cases[] = {
        "{\\rtf1 abc \\bin2147483647 x}",
        "{\\rtf1 abc \\bin99999999999999999999 x}",
        "{\\rtf1 \\fs99999999999 big \\uc99999999 \\u99999999 x \\u-99999999 y}",
        "{\\rtf1{\\colortbl;\\red99999999999\\green-5\\blue300;}\\cf1 colour\\cf99999 z}",
        "{\\rtf1 \\'",
        "{\\rtf1 \\bin",
    };
    for (const QByteArray& rtf : cases) {
        QTextDocument doc;
        Rtf::toDocument(rtf, doc);
        EXPECT_LE(doc.toPlainText().size(), rtf.size()) << rtf.constData();
    }
    QTextDocument doc;
    ASSERT_TRUE(Rtf::toDocument("{\\rtf1 abc \\bin2147483647 x}", doc));
    EXPECT_EQ(doc.toPlainText(), "abc ");
}

TEST(ParserLimits, RandomAndMangledRtfIsReadWithoutFailing)
{
    QRandomGenerator random(16004);
    QTextDocument sampleDoc;
    sampleDoc.setHtml(QString::fromUtf8("<p><b>Sayın</b> ŞİŞLİ <i>kulübü</i></p><p style='font-size:20pt'>İÇERİK</p>"));
    const QByteArray sample = Rtf::fromDocument(sampleDoc);
    const QByteArray alphabet = "{}\\rtf1binfsucu'0123456789- abcdef;*";
    for (int i = 0; i < kParserFuzzInputs; ++i) {
        const QByteArray rtf = i % 2 ? parserFuzzMutate(random, sample) : "{\\rtf1" + parserFuzzBytes(random, alphabet, 80);
        QTextDocument doc;
        Rtf::toDocument(rtf, doc);
    }
    SUCCEED();
}

// --- Code page 1254 ---------------------------------------------------------

TEST(ParserLimits, BytesTheCodePageLeavesUndefinedSurviveAReadAndAWrite)
{
    const QByteArray undefined("\x81\x8D\x8E\x8F\x90\x9D\x9E", 7);
    EXPECT_EQ(Cp1254::encode(Cp1254::decode("A" + undefined + "\xDE")), "A" + undefined + "\xDE");
    // A control character that is not one of them still has no byte.
    bool lossless = true;
    EXPECT_EQ(Cp1254::encode(QString(QChar(0x80)), &lossless), QByteArray("?"));
    EXPECT_FALSE(lossless);
}

TEST(ParserLimits, AnyBytesRoundTripThroughTheCodePage)
{
    QRandomGenerator random(16005);
    for (int i = 0; i < kParserFuzzInputs; ++i) {
        const QByteArray bytes = parserFuzzBytes(random, QByteArray(), 64);
        bool lossless = false;
        ASSERT_EQ(Cp1254::encode(Cp1254::decode(bytes), &lossless), bytes) << bytes.toHex().constData();
        EXPECT_TRUE(lossless);
    }
}

// --- Drive paths -------------------------------------------------------------

TEST(ParserLimits, DotDotStopsAtTheDrivesRoot)
{
    QTemporaryDir dir;
    DriveMap::setDataRoot(dir.path());
    const QString root = DriveMap::toHost("C:\\");
    struct Case {
        const char* path;
        QString host;
    };
    const Case cases[] = {
        {"C:\\..\\..\\..\\etc\\passwd", root + "/etc/passwd"},
        {"C:\\CO\\..\\..\\Fdr.mdb", root + "/Fdr.mdb"},
        {"C:\\CO\\QVX_PROG\\..\\Fdr.mdb", root + "/CO/Fdr.mdb"},
        {"\\\\RING2\\..\\..\\x", DriveMap::toHost("\\\\RING2\\x")},
    };
    for (const Case& c : cases) {
        const QString host = QDir::cleanPath(DriveMap::toHost(c.path));
        EXPECT_EQ(host, QDir::cleanPath(c.host)) << c.path;
        EXPECT_TRUE(host.startsWith(dir.path())) << c.path;
    }
}

} // namespace ParserLimitsTestLocal
