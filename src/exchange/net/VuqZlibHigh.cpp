#include "exchange/net/VuqZlibHigh.h"

#include <QByteArray>

#include <zlib.h>

namespace {

constexpr int zlibHighBlock = 65536;

int zlibHighLevel(TCompLevel Level)
{
    switch (Level) {
    case clNone: return 0;
    case clFastest: return 1;
    case clMax: return 9;
    case clDefault: break;
    }
    return -1;
}

int zlibHighWindowBits(TZStreamType Type)
{
    switch (Type) {
    case zsGZip: return 31;
    case zsRaw: return -15;
    case zsZLib: break;
    }
    return 15;
}

} // namespace

void CompressStream(TStream& InStream, TStream& OutStream, TCompLevel Level, TZStreamType StreamType, bool UseDirectOut)
{
    // Output through a 64 KB block; a memory destination takes the same
    // bytes either way, so the direct form needs no path of its own.
    (void)UseDirectOut;
    z_stream Z{};
    int R = deflateInit2(&Z, zlibHighLevel(Level), Z_DEFLATED, zlibHighWindowBits(StreamType), 9, Z_DEFAULT_STRATEGY);
    if (R < 0)
        throw ECompressionError(QStringLiteral("error%1").arg(R));
    QByteArray In(zlibHighBlock, '\0');
    QByteArray Out(zlibHighBlock, '\0');
    const auto FlushOut = [&] {
        const int Produced = zlibHighBlock - int(Z.avail_out);
        if (Produced > 0)
            OutStream.WriteBuffer(Out.constData(), Produced);
        Z.next_out = reinterpret_cast<Bytef*>(Out.data());
        Z.avail_out = zlibHighBlock;
    };
    try {
        Z.next_out = reinterpret_cast<Bytef*>(Out.data());
        Z.avail_out = zlibHighBlock;
        for (;;) {
            if (Z.avail_in == 0) {
                const int N = InStream.Read(In.data(), zlibHighBlock);
                if (N <= 0)
                    break;
                Z.next_in = reinterpret_cast<Bytef*>(In.data());
                Z.avail_in = uInt(N);
            }
            if (Z.avail_out == 0)
                FlushOut();
            R = deflate(&Z, Z_NO_FLUSH);
            if (R < 0 && R != Z_BUF_ERROR)
                throw ECompressionError(QStringLiteral("error%1").arg(R));
        }
        do {
            if (Z.avail_out == 0)
                FlushOut();
            R = deflate(&Z, Z_FINISH);
            if (R < 0 && R != Z_BUF_ERROR)
                throw ECompressionError(QStringLiteral("error%1").arg(R));
            FlushOut();
        } while (R != Z_STREAM_END);
    } catch (...) {
        deflateEnd(&Z);
        throw;
    }
    deflateEnd(&Z);
}

void DecompressStream(TStream& InStream, TStream& OutStream)
{
    QByteArray In(zlibHighBlock, '\0');
    QByteArray Out(zlibHighBlock, '\0');
    int Avail = InStream.Read(In.data(), zlibHighBlock);
    if (Avail < 0)
        Avail = 0;
    // The form from the header: zlib (method 8, header check), gzip (its
    // two magic bytes), anything else raw deflate.
    int WindowBits = -15;
    const auto B = [&](int I) { return int(uint8_t(In[I])); };
    if (Avail >= 2 && (B(0) & 0x0F) == 8 && (B(0) >> 4) <= 7 && ((B(0) << 8) | B(1)) % 31 == 0)
        WindowBits = 15;
    else if (Avail >= 2 && B(0) == 0x1F && B(1) == 0x8B)
        WindowBits = 31;
    z_stream Z{};
    int R = inflateInit2(&Z, WindowBits);
    if (R < 0)
        throw EDecompressionError(QStringLiteral("error %1").arg(R));
    Z.next_in = reinterpret_cast<Bytef*>(In.data());
    Z.avail_in = uInt(Avail);
    try {
        for (;;) {
            if (Z.avail_in == 0) {
                const int N = InStream.Read(In.data(), zlibHighBlock);
                if (N <= 0)
                    throw EDecompressionError(QStringLiteral("error %1").arg(Z_BUF_ERROR));
                Z.next_in = reinterpret_cast<Bytef*>(In.data());
                Z.avail_in = uInt(N);
            }
            Z.next_out = reinterpret_cast<Bytef*>(Out.data());
            Z.avail_out = zlibHighBlock;
            R = inflate(&Z, Z_NO_FLUSH);
            if (R == Z_NEED_DICT)
                R = Z_DATA_ERROR;
            if (R < 0 && R != Z_BUF_ERROR)
                throw EDecompressionError(QStringLiteral("error %1").arg(R));
            const int Produced = zlibHighBlock - int(Z.avail_out);
            if (Produced > 0 && OutStream.Write(Out.constData(), Produced) != Produced)
                throw EDecompressionError(QStringLiteral("error %1").arg(Z_BUF_ERROR));
            if (R == Z_STREAM_END)
                break;
        }
    } catch (...) {
        inflateEnd(&Z);
        throw;
    }
    // The source stays just after the compressed data.
    if (Z.avail_in > 0)
        InStream.Seek(-int64_t(Z.avail_in), soFromCurrent);
    inflateEnd(&Z);
}
