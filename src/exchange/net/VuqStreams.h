#pragma once
// Streams of the network layer: the stream interface the compression helpers
// and the FTP transfers work on, a memory stream, and a file stream with one
// block-aligned buffer of its own (the FTP client opens the local file of
// every transfer through it with a 64 KB buffer). The file stream writes
// back only the bytes written into its buffer, so a file opened write-only
// keeps the bytes around them; it reads nothing from such a file.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>

// Origins of Seek.
constexpr int soFromBeginning = 0;
constexpr int soFromCurrent = 1;
constexpr int soFromEnd = 2;

// File modes of TBufferedFileStream (the access and share word).
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFFFF;

// A failure of a stream, with its text.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString& Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};
// Opening or creating a file failed.
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class TStream {
public:
    virtual ~TStream() = default;
    virtual int Read(void* Buffer, int Count) = 0;
    virtual int Write(const void* Buffer, int Count) = 0;
    virtual int64_t Seek(int64_t Offset, int Origin) = 0;
    virtual void SetSize(int64_t NewSize) = 0;

    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soFromBeginning); }
    virtual int64_t Size();
    // Reads or writes everything or raises "Stream read error" / "Stream
    // write error".
    void ReadBuffer(void* Buffer, int Count);
    void WriteBuffer(const void* Buffer, int Count);
    // Copies Count bytes (0: from the start to the end) from Source.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// Bytes in memory; Memory() is the block, Size() the bytes in it.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(const QByteArray& Data) : FData(Data) {}
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, int Origin) override;
    void SetSize(int64_t NewSize) override;
    int64_t Size() override { return FData.size(); }

    char* Memory() { return FData.data(); }
    const QByteArray& Data() const { return FData; }
    // Room for at least NewCapacity bytes without changing the size.
    void SetCapacity(int64_t NewCapacity) { FData.reserve(NewCapacity); }
    int64_t Capacity() const { return FData.capacity(); }
    void Clear()
    {
        FData.clear();
        FPosition = 0;
    }

private:
    QByteArray FData;
    int64_t FPosition = 0;
};

class TBufferedFileStream : public TStream {
public:
    TBufferedFileStream(const QString& FileName, uint16_t Mode, int BufferSize);
    TBufferedFileStream(const QString& FileName, uint16_t Mode, uint32_t Rights, int BufferSize);
    ~TBufferedFileStream() override;
    TBufferedFileStream(const TBufferedFileStream&) = delete;
    TBufferedFileStream& operator=(const TBufferedFileStream&) = delete;

    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, int Origin) override;
    int32_t Seek(int32_t Offset, uint16_t Origin);
    void SetSize(int64_t NewSize) override;
    void SetSize(int32_t NewSize) { SetSize(int64_t(NewSize)); }
    int64_t Size() override { return FFileSize; }

    int BufferSize() const { return FBufSize; }
    // Writes the buffer back when it holds unwritten bytes.
    void Flush();

private:
    void Open(const QString& FileName, uint16_t Mode, uint32_t Rights, int BufferSize);
    void ReadFromFile();
    void WriteToFile();

    int FHandle = -1;
    int64_t FFileSize = 0;
    int64_t FFileOffset = 0;
    char* FBuf = nullptr;
    int FBufSize = 0;
    int FBufCount = 0;
    int FBufPos = 0;
    bool FDirty = false;
    // The bytes of the buffer written since it was last written back.
    int FDirtyFrom = 0;
    int FDirtyTo = 0;
    // False for a file opened write-only: its blocks are never read in.
    bool FCanRead = true;
};
