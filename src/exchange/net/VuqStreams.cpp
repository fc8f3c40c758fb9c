#include "exchange/net/VuqStreams.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// ---- TStream ---------------------------------------------------------------

int64_t TStream::Size()
{
    const int64_t Pos = Seek(0, soFromCurrent);
    const int64_t End = Seek(0, soFromEnd);
    Seek(Pos, soFromBeginning);
    return End;
}

void TStream::ReadBuffer(void* Buffer, int Count)
{
    if (Count > 0 && Read(Buffer, Count) != Count)
        throw EStreamError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, int Count)
{
    if (Count > 0 && Write(Buffer, Count) != Count)
        throw EStreamError(QStringLiteral("Stream write error"));
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    const int64_t Result = Count;
    QByteArray Block(int(std::min<int64_t>(Count > 0 ? Count : 1, 65536)), '\0');
    while (Count > 0) {
        const int N = int(std::min<int64_t>(Count, Block.size()));
        Source.ReadBuffer(Block.data(), N);
        WriteBuffer(Block.constData(), N);
        Count -= N;
    }
    return Result;
}

// ---- TMemoryStream ---------------------------------------------------------

int TMemoryStream::Read(void* Buffer, int Count)
{
    if (Count <= 0 || FPosition >= FData.size())
        return 0;
    const int N = int(std::min<int64_t>(Count, FData.size() - FPosition));
    memcpy(Buffer, FData.constData() + FPosition, size_t(N));
    FPosition += N;
    return N;
}

int TMemoryStream::Write(const void* Buffer, int Count)
{
    if (Count <= 0)
        return 0;
    const int64_t End = FPosition + Count;
    if (End > FData.size()) {
        const int64_t Old = FData.size();
        FData.resize(End);
        if (FPosition > Old)
            memset(FData.data() + Old, 0, size_t(FPosition - Old));
    }
    memcpy(FData.data() + FPosition, Buffer, size_t(Count));
    FPosition = End;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, int Origin)
{
    switch (Origin) {
    case soFromBeginning: FPosition = Offset; break;
    case soFromCurrent: FPosition += Offset; break;
    case soFromEnd: FPosition = FData.size() + Offset; break;
    default: throw EStreamError(QStringLiteral("Invalid seek origin"));
    }
    if (FPosition < 0)
        FPosition = 0;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    const int64_t Old = FData.size();
    FData.resize(std::max<int64_t>(0, NewSize));
    if (NewSize > Old)
        memset(FData.data() + Old, 0, size_t(NewSize - Old));
    if (FPosition > NewSize)
        FPosition = NewSize;
}

// ---- TBufferedFileStream ---------------------------------------------------

TBufferedFileStream::TBufferedFileStream(const QString& FileName, uint16_t Mode, int BufferSize)
{
    Open(FileName, Mode, 0, BufferSize);
}

TBufferedFileStream::TBufferedFileStream(const QString& FileName, uint16_t Mode, uint32_t Rights, int BufferSize)
{
    Open(FileName, Mode, Rights, BufferSize);
}

void TBufferedFileStream::Open(const QString& FileName, uint16_t Mode, uint32_t Rights, int BufferSize)
{
    const QString Full = QFileInfo(FileName).absoluteFilePath();
    const QByteArray Path = QFile::encodeName(Full);
    if (Mode == fmCreate) {
        FHandle = ::open(Path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, Rights ? Rights : 0666);
        if (FHandle < 0)
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(Full, QString::fromLocal8Bit(strerror(errno))));
    } else {
        const int Access = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
        FCanRead = Access != O_WRONLY;
        FHandle = ::open(Path.constData(), Access | O_CLOEXEC);
        if (FHandle < 0)
            throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(Full, QString::fromLocal8Bit(strerror(errno))));
        if ((Mode & 0xF0) == fmShareExclusive)
            ::flock(FHandle, LOCK_EX | LOCK_NB);
    }
    if (BufferSize < 512)
        FBufSize = 512;
    else if (BufferSize > 65536)
        FBufSize = 65536;
    else if (BufferSize % 512 != 0)
        FBufSize = 4096;
    else
        FBufSize = BufferSize;
    FBuf = new char[size_t(FBufSize)];
    const off_t Here = ::lseek(FHandle, 0, SEEK_CUR);
    const off_t End = ::lseek(FHandle, 0, SEEK_END);
    ::lseek(FHandle, Here, SEEK_SET);
    if (End < 0) {
        ::close(FHandle);
        FHandle = -1;
        delete[] FBuf;
        FBuf = nullptr;
        throw EStreamError(QStringLiteral("Cannot determine correct file size"));
    }
    FFileSize = End;
}

TBufferedFileStream::~TBufferedFileStream()
{
    if (FHandle >= 0) {
        try {
            if (FDirty)
                WriteToFile();
        } catch (...) {
        }
        ::close(FHandle);
    }
    delete[] FBuf;
}

void TBufferedFileStream::ReadFromFile()
{
    if (::lseek(FHandle, FFileOffset, SEEK_SET) != FFileOffset)
        throw EStreamError(QStringLiteral("Seek before read from file failed"));
    int Got = 0;
    while (Got < FBufSize) {
        const ssize_t N = ::read(FHandle, FBuf + Got, size_t(FBufSize - Got));
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            break;
        Got += int(N);
    }
    FBufCount = Got;
    // Past the end of what the file holds (a seek beyond its end), the
    // stream reads zeros up to its size.
    const int64_t Logical = std::min<int64_t>(FBufSize, std::max<int64_t>(0, FFileSize - FFileOffset));
    if (FBufCount < Logical) {
        memset(FBuf + FBufCount, 0, size_t(Logical - FBufCount));
        FBufCount = int(Logical);
    }
}

void TBufferedFileStream::WriteToFile()
{
    // Only the bytes written into the buffer go back: the rest of the block
    // may never have been read (a write-only file), and the file keeps them.
    const int64_t At = FFileOffset + FDirtyFrom;
    if (::lseek(FHandle, At, SEEK_SET) != At)
        throw EStreamError(QStringLiteral("Seek before write to file failed"));
    int Done = FDirtyFrom;
    while (Done < FDirtyTo) {
        const ssize_t N = ::write(FHandle, FBuf + Done, size_t(FDirtyTo - Done));
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            throw EStreamError(QStringLiteral("Could not write to file"));
        Done += int(N);
    }
    FDirty = false;
}

void TBufferedFileStream::Flush()
{
    if (FHandle >= 0 && FDirty)
        WriteToFile();
}

int TBufferedFileStream::Read(void* Buffer, int Count)
{
    if (FHandle < 0 || !FCanRead)
        return 0;
    const int64_t Pos = FFileOffset + FBufPos;
    const int Result = int(std::min<int64_t>(Count, FFileSize - Pos));
    if (Result <= 0)
        return 0;
    if (FBufCount == 0 || FBufCount < FBufPos) {
        if (FDirty)
            WriteToFile();
        ReadFromFile();
    }
    char* Dst = static_cast<char*>(Buffer);
    int Remaining = Result;
    for (;;) {
        const int N = std::min(FBufCount - FBufPos, Remaining);
        if (N > 0) {
            memcpy(Dst, FBuf + FBufPos, size_t(N));
            Dst += N;
            FBufPos += N;
            Remaining -= N;
        }
        if (Remaining <= 0)
            break;
        if (FDirty)
            WriteToFile();
        FFileOffset += FBufSize;
        FBufPos = 0;
        ReadFromFile();
        if (FBufCount == 0)
            break;
    }
    return Result - Remaining;
}

int TBufferedFileStream::Write(const void* Buffer, int Count)
{
    if (FHandle < 0)
        return 0;
    if (Count <= 0)
        return Count;
    if (FBufCount == 0 && FFileOffset < FFileSize && FCanRead)
        ReadFromFile();
    const char* Src = static_cast<const char*>(Buffer);
    int Remaining = Count;
    for (;;) {
        const int N = std::min(FBufSize - FBufPos, Remaining);
        // One run of written bytes per buffer: bytes written apart from the
        // run go to the file first.
        if (FDirty && (FBufPos > FDirtyTo || FBufPos + N < FDirtyFrom))
            WriteToFile();
        if (FBufPos > FBufCount) {
            // The gap left by a seek past the end reads as zeros.
            memset(FBuf + FBufCount, 0, size_t(FBufPos - FBufCount));
            FBufCount = FBufPos;
        }
        memcpy(FBuf + FBufPos, Src, size_t(N));
        FDirtyFrom = FDirty ? std::min(FDirtyFrom, FBufPos) : FBufPos;
        FDirtyTo = FDirty ? std::max(FDirtyTo, FBufPos + N) : FBufPos + N;
        FDirty = true;
        FBufPos += N;
        Src += N;
        Remaining -= N;
        if (FBufPos > FBufCount)
            FBufCount = FBufPos;
        FFileSize = std::max<int64_t>(FFileSize, FFileOffset + FBufCount);
        if (Remaining <= 0)
            break;
        WriteToFile();
        FFileOffset += FBufSize;
        FBufPos = 0;
        if (FFileOffset < FFileSize && FCanRead)
            ReadFromFile();
        else
            FBufCount = 0;
    }
    return Count;
}

int64_t TBufferedFileStream::Seek(int64_t Offset, int Origin)
{
    if (FHandle < 0)
        return 0;
    const int64_t Pos = FFileOffset + FBufPos;
    if (Offset == 0 && Origin == soFromCurrent)
        return Pos;
    int64_t Target;
    switch (Origin) {
    case soFromBeginning: Target = Offset; break;
    case soFromCurrent: Target = Pos + Offset; break;
    case soFromEnd: Target = FFileSize + Offset; break;
    default: throw EStreamError(QStringLiteral("Invalid seek origin"));
    }
    if (Target < 0)
        Target = 0;
    if (Target > FFileSize) {
        ::lseek(FHandle, Target, SEEK_SET);
        FFileSize = Target;
    }
    const int64_t NewOffset = Target - Target % FBufSize;
    if (NewOffset != FFileOffset) {
        if (FDirty)
            WriteToFile();
        FFileOffset = NewOffset;
        FBufCount = 0;
    }
    FBufPos = int(Target - FFileOffset);
    return Target;
}

int32_t TBufferedFileStream::Seek(int32_t Offset, uint16_t Origin)
{
    return int32_t(Seek(int64_t(Offset), int(Origin)));
}

void TBufferedFileStream::SetSize(int64_t NewSize)
{
    if (FHandle < 0)
        return;
    if (FDirty)
        WriteToFile();
    Seek(NewSize, soFromBeginning);
    if (NewSize < FFileSize)
        FFileSize = NewSize;
    if (::ftruncate(FHandle, NewSize) != 0)
        throw EStreamError(QString::fromLocal8Bit(strerror(errno)));
    if (FFileOffset + FBufCount > NewSize)
        FBufCount = int(std::max<int64_t>(0, NewSize - FFileOffset));
}
