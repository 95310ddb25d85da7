// The preparation, clean-up and rate report that the sub-address and raw FIFO tests share.
#include "engine/TransferRun.h"

#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/DataDump.h"
#include "engine/TestData.h"
#include "ui/Output.h"

#include <cstdlib>
#include <cstring>
#include <malloc.h>

static void* (*blockAllocator)(size_t) = malloc;

void SetTransferBlockAllocator(void* (*allocator)(size_t)) {
    blockAllocator = allocator ? allocator : malloc;
}

void BeginTransferRun(TransferRun* run) {
    run->savedWordCount = GetWordCount();
    // A count out of the panel's range never reaches the size computation: 65536 words of 4
    // bytes is the largest block.
    int words = run->savedWordCount;
    if (words < 0) words = 0;
    if (words > MAX_TEST_WORDS) words = MAX_TEST_WORDS;
    run->byteCount = words * BytesPerWord();
    run->first = nullptr;
    run->second = nullptr;
    SetWordCount(run->byteCount);
}

// Blocks of up to 256 KiB come and go with every transfer and every loop tick. Left to the
// allocator's defaults, each would be mapped afresh and its pages faulted in by the clearing
// below, which costs more than a fast link's transfer; kept in the heap, their pages stay.
static void KeepBlocksResident(void) {
    static const bool kept =
        mallopt(M_MMAP_THRESHOLD, 1 << 20) && mallopt(M_TRIM_THRESHOLD, 8 << 20);
    (void)kept;
}

int AllocTransferBlocks(TransferRun* run, int (*report)(const char* format, ...)) {
    KeepBlocksResident();
    const size_t size = static_cast<size_t>(run->byteCount) + 4;
    run->first = static_cast<unsigned char*>(blockAllocator(size));
    if (run->first) run->second = static_cast<unsigned char*>(blockAllocator(size));
    if (!run->first || !run->second) {
        report("Memory allocation error\n");
        return 0;
    }
    memset(run->first, 0, static_cast<size_t>(run->byteCount));
    memset(run->second, 0, static_cast<size_t>(run->byteCount));
    return 1;
}

void EndTransferRun(TransferRun* run) {
    SetWordCount(run->savedWordCount);
    free(run->first);
    free(run->second);
    run->first = nullptr;
    run->second = nullptr;
}

void ReportMovedBytes(const TransferRun* run, int moved, int direction) {
    const long expected = run->byteCount;
    if (moved == 0) {
        InfoPrintf(direction == MOVED_READ ? "Warning : 0 bytes read\n"
                                           : "Warning : 0 bytes written");
        return;
    }
    if (moved != expected) {
        if (direction == MOVED_READ)
            InfoPrintf("Warning : only %d bytes of %ld were read\n", moved, expected);
        else
            InfoPrintf("Warning : only %d bytes of %ld were written\n", moved, expected);
    }
    PrintData(run->first);
}

void PrintTransferRate(int bytes) {
    const double t = ElapsedTimeDouble();
    const double rate = bytes / t;
    if (rate > 1024.0)
        InfoPrintf("%6.3lf KBytes/s - %6.3g s\n", rate / 1024.0, t);
    else
        InfoPrintf("%6.3lf Bytes/s - %6.3g s\n", rate, t);
}
