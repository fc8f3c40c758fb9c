// The socket layer's plain parts: error texts, address and number parsing
// (with random input), resolvers, the send buffer, the buffered file stream,
// compression and the FTP time helpers.
#include "exchange/net/AsyncSocket.h"
#include "exchange/net/FtpTime.h"
#include "exchange/net/VuqStreams.h"
#include "exchange/net/VuqZlibHigh.h"
#include "exchange/net/WSockBuf.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace NetUnitsTestLocal {

QByteArray netUnitsFile(const QString& Path)
{
    QFile F(Path);
    F.open(QIODevice::ReadOnly);
    return F.readAll();
}

void netUnitsWrite(const QString& Path, const QByteArray& Bytes)
{
    QFile F(Path);
    F.open(QIODevice::WriteOnly | QIODevice::Truncate);
    F.write(Bytes);
}

QByteArray netUnitsPattern(int Size)
{
    QByteArray B(Size, '\0');
    for (int I = 0; I < Size; ++I)
        B[I] = char((I * 31 + I / 7) & 0xFF);
    return B;
}

} // namespace NetUnitsTestLocal

using namespace NetUnitsTestLocal;

TEST(NetUnits, ErrorTextsCoverTheListedCodesAndNothingElse)
{
    EXPECT_EQ(SocketErrorText(0), QStringLiteral("No Error"));
    EXPECT_EQ(SocketErrorText(10061), QStringLiteral("Connection refused"));
    EXPECT_EQ(SocketErrorText(10093), QStringLiteral("WinSock not initialized"));
    EXPECT_EQ(SocketErrorText(11004), QStringLiteral("No Data"));
    EXPECT_EQ(SocketErrorText(12001), QStringLiteral("Not a WinSock error"));
    EXPECT_EQ(SocketErrorText(10072), QStringLiteral("Not a WinSock error"));
    int Known = 0;
    for (int Code = 0; Code < 12000; ++Code)
        Known += SocketErrorText(Code) != QStringLiteral("Not a WinSock error");
    EXPECT_EQ(Known, 51);
}

TEST(NetUnits, ErrnoValuesMapToTheirWinSockCodes)
{
    EXPECT_EQ(WinSock::errorFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(WinSock::errorFromErrno(ECONNRESET), 10054);
    EXPECT_EQ(WinSock::errorFromErrno(EAGAIN), 10035);
    EXPECT_EQ(WinSock::errorFromErrno(EINPROGRESS), 10035);
    EXPECT_EQ(WinSock::errorFromErrno(EADDRINUSE), 10048);
    EXPECT_EQ(WinSock::errorFromErrno(ENOTCONN), 10057);
    EXPECT_EQ(WinSock::errorFromErrno(EPIPE), 10053);
}

TEST(NetUnits, IsDottedIPAcceptsFourSmallNumbersWithBlanksAround)
{
    struct Case {
        const char* text;
        bool dotted;
    };
    const Case Cases[] = {
        {"127.0.0.1", true}, {"  10.1.2.3", true}, {"10.1.2.3  ", true}, {"255.255.255.255", true},
        {"0.0.0.0", true}, {"1.2.3", false}, {"1.2.3.256", false}, {"256.1.1.1", false},
        {".1.2.3.4", false}, {"1.2.3.4.", false}, {"1.2.3.4x", false}, {"1.2.3.4 x", false},
        {"1..2.3", false}, {"1.2.3.4.5", false}, {"", false}, {"host.example", false},
        {"1.2.3.a", false}, {" .1.2.3", false}, {"001.002.003.004", true},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(IsDottedIP(QString::fromLatin1(C.text)), C.dotted) << C.text;
}

TEST(NetUnits, ParseLeadingNumberReadsTheDigitsAfterBlanks)
{
    EXPECT_EQ(ParseLeadingNumber(QStringLiteral("  21abc")), 21);
    EXPECT_EQ(ParseLeadingNumber(QStringLiteral("x5")), 0);
    EXPECT_EQ(ParseLeadingNumber(QStringLiteral("2147483647")), 2147483647);
    EXPECT_THROW(ParseLeadingNumber(QStringLiteral("2147483648")), ESocketException);
}

TEST(NetUnits, RandomAndCutTextsNeverCrashTheParsers)
{
    QRandomGenerator Rng(29);
    const QString Alphabet = QStringLiteral("0123456789. ax\t-");
    for (int Round = 0; Round < 20000; ++Round) {
        QString S;
        const int Len = int(Rng.bounded(24));
        for (int I = 0; I < Len; ++I)
            S += Alphabet[int(Rng.bounded(Alphabet.size()))];
        const bool Dotted = IsDottedIP(S);
        if (Dotted) {
            // An address the platform cannot convert (an octal-looking
            // "08") is refused with a text, never taken to a name server.
            try {
                SocketResolveHost(S);
            } catch (const ESocketException& E) {
                EXPECT_TRUE(E.Message().endsWith(QStringLiteral("' Invalid IP address."))) << S.toStdString();
            }
        }
        try {
            ParseLeadingNumber(S);
        } catch (const ESocketException&) {
        }
        for (int Cut = 0; Cut <= S.size(); ++Cut)
            IsDottedIP(S.left(Cut));
    }
}

TEST(NetUnits, ResolversTurnTextsIntoNumbersOrTheirErrors)
{
    EXPECT_EQ(SocketResolveProto(QStringLiteral("UDP")), 17);
    EXPECT_EQ(SocketResolveProto(QStringLiteral("tcp")), 6);
    EXPECT_EQ(SocketResolveProto(QStringLiteral("raw")), 255);
    EXPECT_EQ(SocketResolveProto(QStringLiteral("17abc")), 17);
    EXPECT_EQ(SocketResolvePort(QStringLiteral("2121"), QStringLiteral("tcp")), 2121);
    EXPECT_EQ(ntohl(SocketResolveHost(QStringLiteral(" 127.0.0.1 "))), 0x7F000001u);
    EXPECT_EQ(SocketResolveHost(QStringLiteral("255.255.255.255")), 0xFFFFFFFFu);
    EXPECT_EQ(ntohl(SocketResolveHost(QStringLiteral("localhost"))) >> 24, 127u);

    const auto Text = [](const std::function<void()>& F) {
        try {
            F();
        } catch (const ESocketException& E) {
            return E.Message();
        }
        return QString();
    };
    EXPECT_EQ(Text([] { SocketResolvePort(QString(32, QLatin1Char('9')), QStringLiteral("tcp")); }),
        QStringLiteral("SocketResolvePort: Invalid Port."));
    EXPECT_EQ(Text([] { SocketResolvePort(QStringLiteral("21"), QString()); }), QStringLiteral("SocketResolvePort: Invalid Proto."));
    EXPECT_EQ(Text([] { SocketResolveProto(QString()); }), QStringLiteral("SocketResolveProto: Invalid Protocol."));
    EXPECT_EQ(Text([] { SocketResolveProto(QStringLiteral("NoSuchProto")); }),
        QStringLiteral("SocketResolveProto: Cannot convert protocol 'nosuchproto', Error #11004"));
    EXPECT_EQ(Text([] { SocketResolveHost(QString()); }), QStringLiteral("SocketResolveHost: '' Invalid Hostname."));
}

TEST(NetUnits, SendBufferTakesWhatFitsAndStartsAgainWhenEmptied)
{
    TBuffer B(1460);
    const QByteArray Data = netUnitsPattern(2000);
    EXPECT_EQ(B.Write(Data.constData(), 2000), 1460);
    EXPECT_EQ(B.Write(Data.constData(), 10), 0);
    int Len = 0;
    const char* P = B.Peek(Len);
    ASSERT_EQ(Len, 1460);
    EXPECT_EQ(QByteArray(P, 10), Data.left(10));
    EXPECT_EQ(B.Remove(1000), 1000);
    P = B.Peek(Len);
    EXPECT_EQ(Len, 460);
    EXPECT_EQ(QByteArray(P, 1), Data.mid(1000, 1));
    EXPECT_EQ(B.Remove(5000), 460);
    EXPECT_EQ(B.WritePosition(), 0);
    EXPECT_EQ(B.ReadPosition(), 0);
    EXPECT_EQ(B.Peek(Len), nullptr);
    EXPECT_EQ(Len, 0);
    EXPECT_EQ(B.Remove(1), 0);

    TBuffer Default(0);
    EXPECT_EQ(Default.Size(), 1514);
    // Growing keeps the unsent bytes.
    B.Write("abc", 3);
    B.SetSize(4000);
    P = B.Peek(Len);
    EXPECT_EQ(QByteArray(P, Len), QByteArray("abc"));
}

TEST(NetUnits, BufferedFileStreamChoosesItsBufferSize)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("f.bin"));
    const std::pair<int, int> Cases[] = {{1000, 4096}, {100, 512}, {100000, 65536}, {8192, 8192}};
    for (auto [Asked, Got] : Cases) {
        TBufferedFileStream S(Path, fmCreate, Asked);
        EXPECT_EQ(S.BufferSize(), Got) << Asked;
    }
}

TEST(NetUnits, BufferedFileStreamReadsWritesAndSeeksAcrossBuffers)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("f.bin"));
    const QByteArray Original = netUnitsPattern(5000);
    netUnitsWrite(Path, Original);
    {
        TBufferedFileStream S(Path, fmOpenReadWrite, 512);
        EXPECT_EQ(S.Size(), 5000);
        QByteArray All(5000, '\0');
        EXPECT_EQ(S.Read(All.data(), 6000), 5000);
        EXPECT_EQ(All, Original);
        char C;
        EXPECT_EQ(S.Read(&C, 1), 0);
        // Ten bytes in the middle, over a buffer boundary.
        S.Seek(int64_t(1020), soFromBeginning);
        EXPECT_EQ(S.Write("0123456789", 10), 10);
        EXPECT_EQ(S.Seek(int64_t(0), soFromCurrent), 1030);
        // Setting the size it has changes nothing.
        S.SetSize(int64_t(5000));
    }
    QByteArray Expected = Original;
    Expected.replace(1020, 10, "0123456789");
    EXPECT_EQ(netUnitsFile(Path), Expected);

    TBufferedFileStream S(Path, fmOpenRead, 4096);
    EXPECT_EQ(S.Seek(int64_t(-10), soFromEnd), 4990);
    EXPECT_EQ(S.Seek(int64_t(-20000), soFromCurrent), 0);
    EXPECT_THROW(S.Seek(int64_t(0), 7), EStreamError);
}

TEST(NetUnits, WritingPastTheEndFillsTheGapWithZerosAndReadingThereEnds)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("gap.bin"));
    netUnitsWrite(Path, QByteArray(100, 'a'));
    {
        TBufferedFileStream S(Path, fmOpenReadWrite, 512);
        // A buffer of the old bytes is held: the gap lies inside it and
        // beyond it.
        char C;
        S.Read(&C, 1);
        EXPECT_EQ(S.Seek(int64_t(1500), soFromBeginning), 1500);
        EXPECT_EQ(S.Size(), 1500);
        EXPECT_EQ(S.Read(&C, 1), 0);
        S.Write("end", 3);
        EXPECT_EQ(S.Size(), 1503);
        S.Seek(int64_t(300), soFromBeginning);
        char Zero = 'x';
        EXPECT_EQ(S.Read(&Zero, 1), 1);
        EXPECT_EQ(Zero, '\0');
    }
    const QByteArray Got = netUnitsFile(Path);
    ASSERT_EQ(Got.size(), 1503);
    EXPECT_EQ(Got.left(100), QByteArray(100, 'a'));
    EXPECT_EQ(Got.mid(100, 1400), QByteArray(1400, '\0'));
    EXPECT_EQ(Got.right(3), QByteArray("end"));
}

TEST(NetUnits, AWriteOnlyStreamKeepsTheBytesItDidNotWrite)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("wo.bin"));
    const QByteArray Original = netUnitsPattern(5000);
    netUnitsWrite(Path, Original);
    {
        TBufferedFileStream S(Path, fmOpenWrite, 512);
        EXPECT_EQ(S.Size(), 5000);
        // Ten bytes over a buffer boundary, two runs apart in one block, and
        // a tail past the end.
        S.Seek(int64_t(1020), soFromBeginning);
        EXPECT_EQ(S.Write("0123456789", 10), 10);
        S.Seek(int64_t(3000), soFromBeginning);
        EXPECT_EQ(S.Write("ab", 2), 2);
        S.Seek(int64_t(3010), soFromBeginning);
        EXPECT_EQ(S.Write("cd", 2), 2);
        S.Seek(int64_t(5100), soFromBeginning);
        EXPECT_EQ(S.Write("end", 3), 3);
        EXPECT_EQ(S.Size(), 5103);
        // Nothing is read from a file opened for writing only.
        char C = 'x';
        S.Seek(int64_t(0), soFromBeginning);
        EXPECT_EQ(S.Read(&C, 1), 0);
    }
    QByteArray Expected = Original;
    Expected.replace(1020, 10, "0123456789");
    Expected.replace(3000, 2, "ab");
    Expected.replace(3010, 2, "cd");
    Expected += QByteArray(100, '\0') + "end";
    EXPECT_EQ(netUnitsFile(Path), Expected);
}

TEST(NetUnits, AWriteBeforeASeekWithinTheBlockIsNotLostToTheNextRead)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("rw.bin"));
    netUnitsWrite(Path, QByteArray(100, 'a'));
    TBufferedFileStream S(Path, fmOpenReadWrite, 512);
    EXPECT_EQ(S.Write("xy", 2), 2);
    // Past the end and back, within the same block.
    S.Seek(int64_t(300), soFromBeginning);
    S.Seek(int64_t(200), soFromBeginning);
    QByteArray Back(100, '\0');
    EXPECT_EQ(S.Read(Back.data(), 100), 100);
    EXPECT_EQ(Back, QByteArray(100, '\0'));
    S.Seek(int64_t(0), soFromBeginning);
    QByteArray Head(4, '\0');
    EXPECT_EQ(S.Read(Head.data(), 4), 4);
    EXPECT_EQ(Head, QByteArray("xyaa"));
}

TEST(NetUnits, OpeningAMissingFileNamesItInTheError)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("missing.bin"));
    try {
        TBufferedFileStream S(Path, fmOpenRead, 4096);
        ADD_FAILURE();
    } catch (const EFOpenError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(Path));
    }
    try {
        TBufferedFileStream S(Dir.filePath(QStringLiteral("no/dir/x")), fmCreate, 4096);
        ADD_FAILURE();
    } catch (const EFCreateError& E) {
        EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Cannot create file \"")));
    }
}

TEST(NetUnits, CompressionRoundTripsInEveryFormAndLevel)
{
    const QByteArray Inputs[] = {QByteArray(), QByteArray("a"), netUnitsPattern(300000), QByteArray(200000, 'z')};
    for (TZStreamType Type : {zsZLib, zsGZip, zsRaw}) {
        for (TCompLevel Level : {clNone, clFastest, clDefault, clMax}) {
            for (const QByteArray& Input : Inputs) {
                TMemoryStream Src(Input);
                TMemoryStream Packed;
                CompressStream(Src, Packed, Level, Type);
                EXPECT_GT(Packed.Size(), 0);
                // Followed by other bytes: the source stops after its data.
                Packed.Write("TAIL", 4);
                Packed.SetPosition(0);
                TMemoryStream Out;
                DecompressStream(Packed, Out);
                EXPECT_TRUE(Out.Data() == Input) << Type << " " << Level << " " << Input.size();
                char Tail[4];
                EXPECT_EQ(Packed.Read(Tail, 4), 4);
                EXPECT_EQ(QByteArray(Tail, 4), QByteArray("TAIL"));
            }
        }
    }
}

TEST(NetUnits, CompressionWorksThroughTheBufferedFileStream)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("z.bin"));
    const QByteArray Input = netUnitsPattern(200000);
    {
        TMemoryStream Src(Input);
        TBufferedFileStream Dst(Path, fmCreate, 65536);
        CompressStream(Src, Dst, clFastest, zsZLib);
    }
    TBufferedFileStream Src(Path, fmOpenRead, 65536);
    TMemoryStream Out;
    DecompressStream(Src, Out);
    EXPECT_TRUE(Out.Data() == Input);
}

TEST(NetUnits, CorruptOrCutCompressedDataIsRefused)
{
    const QByteArray Input = netUnitsPattern(50000);
    for (TZStreamType Type : {zsZLib, zsGZip, zsRaw}) {
        TMemoryStream Src(Input);
        TMemoryStream Packed;
        CompressStream(Src, Packed, clDefault, Type);
        const QByteArray Good = Packed.Data();

        // Cut short.
        TMemoryStream Cut(Good.left(Good.size() / 2));
        TMemoryStream Out1;
        EXPECT_THROW(DecompressStream(Cut, Out1), EDecompressionError) << Type;

        if (Type != zsRaw) {
            // A wrong check value at the end.
            QByteArray BadCheck = Good;
            BadCheck[BadCheck.size() - (Type == zsGZip ? 8 : 1)] ^= 0x55;
            TMemoryStream In(BadCheck);
            TMemoryStream Out2;
            try {
                DecompressStream(In, Out2);
                ADD_FAILURE() << Type;
            } catch (const EDecompressionError& E) {
                EXPECT_EQ(E.Message(), QStringLiteral("error -3"));
            }
        }
    }
    TMemoryStream Junk(QByteArrayLiteral("\xff\xff\xff\xff not deflate at all"));
    TMemoryStream Out;
    EXPECT_THROW(DecompressStream(Junk, Out), EDecompressionError);
}

TEST(NetUnits, MdtmRepliesGiveTheirMoment)
{
    const TDateTime Base = DateTimeFromQDateTime(QDateTime(QDate(2006, 3, 15), QTime(12, 30, 45)));
    EXPECT_DOUBLE_EQ(MdtmToDateTime(QStringLiteral("20060315123045")), Base);
    EXPECT_DOUBLE_EQ(MdtmToDateTime(QStringLiteral("20060315123045.250")), Base + 0.25 / 86400.0);
    EXPECT_EQ(QDateTimeFromDateTime(MdtmToDateTime(QStringLiteral("20060315123045.250"))),
        QDateTime(QDate(2006, 3, 15), QTime(12, 30, 45, 250)));
    EXPECT_EQ(MdtmToDateTime(QStringLiteral("20061315123045")), 0);
    EXPECT_EQ(MdtmToDateTime(QStringLiteral("20060230123045")), -1);
    EXPECT_EQ(MdtmToDateTime(QStringLiteral("20060315253045")), -1);
    EXPECT_EQ(MdtmToDateTime(QStringLiteral("2006031512304")), 0);
}

TEST(NetUnits, LocalFileSizeIsZeroForAMissingFile)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("s.bin"));
    EXPECT_EQ(GetLocalFileSize(Path), 0);
    netUnitsWrite(Path, QByteArray(1234, 'x'));
    EXPECT_EQ(GetLocalFileSize(Path), 1234);
}
