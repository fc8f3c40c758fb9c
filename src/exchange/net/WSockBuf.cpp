#include "exchange/net/WSockBuf.h"

#include <cstring>

TBuffer::TBuffer(int Size)
{
    SetSize(Size);
}

TBuffer::~TBuffer()
{
    delete[] FBuf;
}

void TBuffer::SetSize(int Size)
{
    if (Size <= 0)
        Size = 1514;
    if (Size < FWrCount)
        Size = FWrCount;
    if (Size == FBufSize)
        return;
    char* NewBuf = new char[size_t(Size)];
    if (FWrCount > FRdCount && FBuf)
        memcpy(NewBuf, FBuf, size_t(FWrCount));
    delete[] FBuf;
    FBuf = NewBuf;
    FBufSize = Size;
}

int TBuffer::Write(const void* Data, int Len)
{
    const int Space = FBufSize - FWrCount;
    if (Space <= 0 || Len <= 0)
        return 0;
    const int Count = Len < Space ? Len : Space;
    memcpy(FBuf + FWrCount, Data, size_t(Count));
    FWrCount += Count;
    return Count;
}

const char* TBuffer::Peek(int& Len) const
{
    Len = FWrCount - FRdCount;
    if (Len <= 0) {
        Len = 0;
        return nullptr;
    }
    return FBuf + FRdCount;
}

int TBuffer::Remove(int Len)
{
    const int Unsent = FWrCount - FRdCount;
    if (Unsent <= 0 || Len <= 0)
        return 0;
    const int Count = Len < Unsent ? Len : Unsent;
    FRdCount += Count;
    if (FRdCount >= FWrCount) {
        FRdCount = 0;
        FWrCount = 0;
    }
    return Count;
}
