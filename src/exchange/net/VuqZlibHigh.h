#pragma once
// Stream compression over zlib: one stream into another, in zlib, gzip or
// raw deflate form. The FTP client's compressed transfer mode uses it.

#include "exchange/net/VuqStreams.h"

#include <QString>

#include <stdexcept>

enum TCompLevel { clNone, clFastest, clDefault, clMax };
enum TZStreamType { zsZLib, zsGZip, zsRaw };

class EZlibError : public std::runtime_error {
public:
    explicit EZlibError(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};
// "error" and the zlib code ("error-2").
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
// "error " and the zlib code ("error -3" for corrupt data).
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

// Compresses InStream from its position to its end and writes the result at
// OutStream's position. UseDirectOut writes straight into a memory stream.
void CompressStream(TStream& InStream, TStream& OutStream, TCompLevel Level = clDefault,
    TZStreamType StreamType = zsZLib, bool UseDirectOut = false);
// Detects the form (zlib, gzip, else raw), decompresses into OutStream and
// leaves InStream just after the compressed data. The check value of a zlib
// or gzip stream is verified; corrupt or cut-off data raise
// EDecompressionError.
void DecompressStream(TStream& InStream, TStream& OutStream);
