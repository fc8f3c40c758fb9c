#pragma once
// One chunk of a socket's send queue: a fixed block filled at its end and
// drained from its front. Bytes are never moved inside a chunk; when the last
// unsent byte is removed both positions return to 0, so an emptied chunk is
// filled again from its start.

#include <QtGlobal>

class TBuffer {
public:
    explicit TBuffer(int Size);
    ~TBuffer();
    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    // A size of 0 or less becomes 1514; a size below the write position is
    // raised to it (written bytes are never cut off).
    void SetSize(int Size);
    int Size() const { return FBufSize; }
    // Copies as much of Data as fits after the written bytes; the count taken.
    int Write(const void* Data, int Len);
    // The unsent bytes: a pointer to the first and their count (0 and no
    // pointer when there are none).
    const char* Peek(int& Len) const;
    // Takes up to Len unsent bytes off the front; the count removed.
    int Remove(int Len);
    int UnsentCount() const { return FWrCount - FRdCount; }
    int WritePosition() const { return FWrCount; }
    int ReadPosition() const { return FRdCount; }

private:
    char* FBuf = nullptr;
    int FBufSize = 0;
    int FWrCount = 0;
    int FRdCount = 0;
};
