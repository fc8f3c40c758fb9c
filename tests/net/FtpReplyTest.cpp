// The FTP reply parser without sockets: lines out of the reply buffer, the
// end of multi-line replies, the number, name and address helpers, and
// random input.
#include "exchange/net/FtpCommands.h"
#include "exchange/net/FtpReply.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace FtpReplyTestLocal {

std::vector<QByteArray> ftpReplyLinesOf(const QByteArray& received, bool acceptLF)
{
    FtpReplyBuffer buffer;
    EXPECT_EQ(buffer.append(received.constData(), int(received.size())), received.size());
    std::vector<QByteArray> lines;
    QByteArray line;
    while (buffer.takeLine(line, acceptLF) == FtpReplyBuffer::Take::Line)
        lines.push_back(line);
    return lines;
}

using K = FtpReplyReader::Kind;

struct ReaderCase {
    const char* name;
    std::vector<const char*> lines;
    std::vector<K> kinds;
    int finalCode; // code of the last line
};

} // namespace FtpReplyTestLocal

using namespace FtpReplyTestLocal;

TEST(FtpReplyBuffer, CutsLinesAtCrLfOrAtBareLineFeedsWhenAllowed)
{
    EXPECT_EQ(ftpReplyLinesOf("220 ready\r\n331 pass\r\n", false),
        (std::vector<QByteArray>{"220 ready", "331 pass"}));
    // Without the option a bare line feed waits for a CR LF.
    EXPECT_TRUE(ftpReplyLinesOf("220 ready\n", false).empty());
    EXPECT_EQ(ftpReplyLinesOf("220 ready\n230-a\r\n230 b\n", true),
        (std::vector<QByteArray>{"220 ready", "230-a", "230 b"}));
    // Trailing CRs go; an incomplete tail stays in the buffer.
    FtpReplyBuffer buffer;
    buffer.append("200 ok\r\r\n200 par", 16);
    QByteArray line;
    ASSERT_EQ(buffer.takeLine(line, true), FtpReplyBuffer::Take::Line);
    EXPECT_EQ(line, "200 ok");
    EXPECT_EQ(buffer.takeLine(line, true), FtpReplyBuffer::Take::None);
    EXPECT_EQ(buffer.size(), 7);
}

TEST(FtpReplyBuffer, AnOverlongLineIsCappedAndReportedNotLeftToStall)
{
    FtpReplyBuffer buffer;
    const QByteArray flood(10000, 'x');
    // Only what fits is taken: 4,095 bytes.
    EXPECT_EQ(buffer.append(flood.constData(), int(flood.size())), FtpReplyBuffer::Capacity);
    EXPECT_EQ(buffer.space(), 0);
    QByteArray line;
    EXPECT_EQ(buffer.takeLine(line, true), FtpReplyBuffer::Take::Overlong);
    EXPECT_EQ(line.size(), FtpReplyBuffer::Capacity);
    // The buffer is free again, so reading can go on.
    EXPECT_EQ(buffer.space(), FtpReplyBuffer::Capacity);
    // A line of exactly 4,093 characters plus CR LF still fits.
    const QByteArray longest = QByteArray(4093, 'y') + "\r\n";
    buffer.append(longest.constData(), int(longest.size()));
    EXPECT_EQ(buffer.takeLine(line, false), FtpReplyBuffer::Take::Line);
    EXPECT_EQ(line.size(), 4093);
}

TEST(FtpReplyReader, TellsFinalLinesFromContinuationsAndText)
{
    const std::vector<ReaderCase> cases = {
        {"single line", {"200 ok"}, {K::Final}, 200},
        {"code without text", {"200"}, {K::Final}, 200},
        {"two-line", {"230-Welcome", "230 Logged in"}, {K::Continuation, K::Final}, 230},
        {"other codes inside stay continuation",
            {"211-Features:", "220 not the end", "211-still", " MDTM", "211 End"},
            {K::Continuation, K::Continuation, K::Continuation, K::Continuation, K::Final}, 211},
        {"same code without blank does not end",
            {"214-Help", "214", "214x", "214 done"},
            {K::Continuation, K::Continuation, K::Continuation, K::Final}, 214},
        {"tab counts as the blank", {"250-a", "250\tb"}, {K::Continuation, K::Final}, 250},
        {"garbage before a reply", {"hello", "", "-200", "200 ok"},
            {K::Text, K::Text, K::Text, K::Final}, 200},
        {"short or long numbers are not codes", {"20 ok", "2000 ok", "200 ok"},
            {K::Text, K::Text, K::Final}, 200},
    };
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        FtpReplyReader reader;
        ASSERT_EQ(c.lines.size(), c.kinds.size());
        FtpReplyReader::Line last;
        for (size_t i = 0; i < c.lines.size(); ++i) {
            last = reader.feed(QString::fromLatin1(c.lines[i]));
            EXPECT_EQ(last.kind, c.kinds[i]) << c.lines[i];
        }
        EXPECT_EQ(last.code, c.finalCode);
        EXPECT_FALSE(reader.insideMultiLine());
    }
}

TEST(FtpReplyHelpers, NumbersQuotedNamesAndWords)
{
    int value = -1;
    bool ok = false;
    EXPECT_EQ(FtpReply::getInteger("  257 \"x\"", 0, value, &ok), 5);
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, 257);
    FtpReply::getInteger("-12", 0, value, &ok);
    EXPECT_EQ(value, -12);
    FtpReply::getInteger("+2147483647", 0, value, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, 2147483647);
    FtpReply::getInteger("2147483648", 0, value, &ok);
    EXPECT_FALSE(ok);
    FtpReply::getInteger("abc", 0, value, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(value, 0);

    int64_t size = 0;
    FtpReply::getInt64("213 104857600000", 3, size, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(size, int64_t(104857600000));
    FtpReply::getInt64("213 99999999999999999999", 3, size, &ok);
    EXPECT_FALSE(ok);

    QString name;
    EXPECT_EQ(FtpReply::getQuotedString("257 \"/a \"\"b\"\" c\" created", 3, name), 16);
    EXPECT_EQ(name, "/a \"b\" c");
    FtpReply::getQuotedString("257 /plain", 3, name);
    EXPECT_TRUE(name.isEmpty());
    FtpReply::getQuotedString("257 \"unterminated", 3, name);
    EXPECT_EQ(name, "unterminated");

    QString word;
    const int after = FtpReply::getNextWord("251 file.txt 0123abcd", 3, word);
    EXPECT_EQ(word, "file.txt");
    FtpReply::getNextWord("251 file.txt 0123abcd", after, word);
    EXPECT_EQ(word, "0123abcd");
}

TEST(FtpReplyHelpers, PassiveAddressesAndTheirLimits)
{
    struct PasvCase {
        const char* reply;
        bool ok;
        const char* host;
        int port;
    };
    const PasvCase cases[] = {
        {"227 Entering Passive Mode (127,0,0,1,200,13).", true, "127.0.0.1", 200 * 256 + 13},
        {"227 =(10, 1, 2, 3, 0, 21)", true, "10.1.2.3", 21},
        {"227 (1,2,3,4,255,255", true, "1.2.3.4", 65535},
        {"227 no address", false, "", 0},
        {"227 (1,2,3,4,256,0)", false, "", 0},
        {"227 (1,2,3,4,5)", false, "", 0},
        {"227 (1,2,x,4,5,6)", false, "", 0},
    };
    for (const PasvCase& c : cases) {
        SCOPED_TRACE(c.reply);
        QString host;
        quint16 port = 1;
        EXPECT_EQ(FtpReply::parsePassiveAddress(c.reply, host, port), c.ok);
        EXPECT_EQ(host, QString::fromLatin1(c.host));
        EXPECT_EQ(port, c.port);
    }
}

TEST(FtpReplyReader, RandomInputNeverCrashesOrStalls)
{
    QRandomGenerator rng(20261211);
    FtpReplyBuffer buffer;
    FtpReplyReader reader;
    qint64 taken = 0;
    for (int round = 0; round < 2000; ++round) {
        QByteArray chunk(int(rng.bounded(1, 600)), Qt::Uninitialized);
        for (char& ch : chunk) {
            const quint32 r = rng.bounded(100);
            ch = r < 8 ? '\n' : r < 12 ? '\r' : r < 40 ? char('0' + rng.bounded(10))
                : r < 48 ? ' ' : r < 52 ? '-' : char(rng.bounded(256));
        }
        int offset = 0;
        while (offset < chunk.size()) {
            const int n = buffer.append(chunk.constData() + offset, int(chunk.size() - offset));
            offset += n;
            QByteArray line;
            FtpReplyBuffer::Take t;
            while ((t = buffer.takeLine(line, round % 2 == 0)) != FtpReplyBuffer::Take::None) {
                taken += line.size();
                const FtpReplyReader::Line l = reader.feed(QString::fromLatin1(line));
                if (l.kind != FtpReplyReader::Kind::Text) {
                    EXPECT_GE(l.code, 0);
                }
                int v = 0;
                FtpReply::getInteger(QString::fromLatin1(line), 0, v);
                QString s;
                FtpReply::getQuotedString(QString::fromLatin1(line), 3, s);
                QString h;
                quint16 p = 0;
                FtpReply::parsePassiveAddress(QString::fromLatin1(line), h, p);
            }
            // The buffer never stays full: every append makes progress.
            ASSERT_LT(buffer.size(), FtpReplyBuffer::Capacity);
        }
    }
    EXPECT_GT(taken, 0);
}

TEST(FtpCommandTable, AcceptedCodesAndRequestOrdinals)
{
    struct Row {
        TFtpRequest request;
        int ordinal;
        const char* verb;
        std::array<int, 4> codes;
    };
    const Row rows[] = {
        {ftpUserAsync, 2, "USER", {331, 230, 0, 0}},
        {ftpPassAsync, 3, "PASS", {230, 332, 0, 0}},
        {ftpAccountAsync, 51, "ACCT", {230, 202, 0, 0}},
        {ftpCwdAsync, 4, "CWD", {200, 250, 257, 0}},
        {ftpPwdAsync, 32, "PWD", {250, 257, 0, 0}},
        {ftpCDupAsync, 34, "CDUP", {250, 257, 0, 0}},
        {ftpMkdAsync, 22, "MKD", {200, 250, 257, 0}},
        {ftpRmdAsync, 23, "RMD", {200, 250, 257, 0}},
        {ftpDeleAsync, 25, "DELE", {200, 250, 257, 0}},
        {ftpRenFromAsync, 28, "RNFR", {350, 0, 0, 0}},
        {ftpRenToAsync, 27, "RNTO", {200, 250, 257, 0}},
        {ftpSystAsync, 14, "SYST", {215, 0, 0, 0}},
        {ftpSizeAsync, 17, "SIZE", {213, 0, 0, 0}},
        {ftpTypeSetAsync, 37, "TYPE", {200, 0, 0, 0}},
        {ftpQuoteAsync, 33, "", {0, 0, 0, 0}},
        {ftpAbortXferAsync, 16, "ABOR", {0, 0, 0, 0}},
        {ftpQuitAsync, 15, "QUIT", {221, 0, 0, 0}},
        {ftpFeatAsync, 44, "FEAT", {211, 0, 0, 0}},
        {ftpMlstAsync, 45, "MLST", {250, 0, 0, 0}},
        {ftpMdtmAsync, 46, "MDTM", {213, 0, 0, 0}},
        {ftpMdtmyyAsync, 47, "MDTM", {213, 253, 0, 0}},
        {ftpMfmtAsync, 49, "MFMT", {213, 0, 0, 0}},
        {ftpMd5Async, 50, "MD5", {251, 0, 0, 0}},
        {ftpModeZAsync, 54, "MODE Z", {200, 0, 0, 0}},
        {ftpOptsAsync, 55, "OPTS", {200, 0, 0, 0}},
        {ftpPortAsync, 9, "PORT", {200, 227, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(ftpRequestName(r.request).toStdString());
        EXPECT_EQ(int(r.request), r.ordinal);
        const FtpCommandRow* row = ftpCommandRow(r.request);
        ASSERT_NE(row, nullptr);
        EXPECT_STREQ(row->verb, r.verb);
        EXPECT_EQ(row->accepted, r.codes);
    }
    EXPECT_EQ(int(ftpCccAsync), 56);
    EXPECT_EQ(ftpRequestName(ftpTransmitAsync), "ftpTransmitAsync");
    EXPECT_EQ(ftpRequestName(ftpCccAsync), "ftpCccAsync");
}

TEST(FtpCommandTable, CompositeOperationsRunTheirStepsInTheOneOrder)
{
    auto stepsOf = [](const char* name) {
        const FtpCompositeRow* row = ftpCompositeRow(name);
        EXPECT_NE(row, nullptr) << name;
        QStringList out;
        for (int s = 0; row && s < stepCount; ++s)
            if (row->steps & ftpStepBit(FtpStep(s)))
                out << ftpStepName(FtpStep(s));
        return out.join(u' ');
    };
    EXPECT_EQ(stepsOf("ConnectAsync"), "open AUTH USER PASS ACCT");
    EXPECT_EQ(stepsOf("TransmitAsync"), "open AUTH USER PASS ACCT CWD TYPE PORT STOR QUIT");
    EXPECT_EQ(stepsOf("PutAsync"), "PORT STOR");
    EXPECT_EQ(stepsOf("RenAsync"), "RNFR RNTO");
    EXPECT_EQ(stepsOf("RestartGetAsync"), "open AUTH USER PASS ACCT CWD TYPE PORT REST RETR QUIT");
    EXPECT_EQ(stepsOf("DirectoryAsync"), "open AUTH USER PASS ACCT CWD PORT LIST QUIT");
    EXPECT_EQ(stepsOf("RenameAsync"), "open AUTH USER PASS ACCT CWD RNFR RNTO QUIT");
    EXPECT_EQ(stepsOf("AuthAsync"), "open AUTH QUIT");
    EXPECT_EQ(ftpCompositeRow("AppendFileAsync")->reported, ftpTransmitAsync);
    EXPECT_EQ(ftpCompositeRow("FileSizeAsync")->reported, ftpSizeAsync);
    EXPECT_EQ(ftpCompositeTable().size(), 25u);
}
