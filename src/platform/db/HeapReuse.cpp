#include "platform/db/HeapReuse.h"

#include <malloc.h>

bool HeapReuse::keepFreedMemory()
{
    return mallopt(M_TRIM_THRESHOLD, kKeptBytes) == 1;
}
