// What the two transfer tests share: the run's byte count and blocks, and the rate report.
#pragma once

#include <cstddef>

// Largest word count a run uses; a count outside 0 to this (say from kestrel.cfg) is clamped.
enum { MAX_TEST_WORDS = 65536 };

// One transfer test run. Between BeginTransferRun and EndTransferRun the settings' word count
// holds the byte count (the generator and the dump read it so).
typedef struct {
    int savedWordCount;    // the word count as the settings held it before the run
    int byteCount;         // the words (clamped to 0..MAX_TEST_WORDS) times the bytes per word
    unsigned char* first;  // the block written, or read in "<Read>"
    unsigned char* second; // the block read back
} TransferRun;

// Works out the bytes per word and the byte count of the current settings and stores the byte
// count as the word count.
void BeginTransferRun(TransferRun* run);
// Allocates the two blocks, byte count + 4 bytes each, their first byte-count bytes cleared.
// On failure prints "Memory allocation error\n" with `report` and returns 0 (EndTransferRun
// still follows); returns 1 otherwise.
int AllocTransferBlocks(TransferRun* run, int (*report)(const char* format, ...));
// Puts the word count back as it was before the run and frees the blocks.
void EndTransferRun(TransferRun* run);

// Direction of a transfer, for ReportMovedBytes.
enum { MOVED_READ = 0, MOVED_WRITTEN = 1 };
// After a transfer that moved `moved` bytes (0 or more) of the first block: "Warning : 0 bytes
// read\n" or "Warning : 0 bytes written" (no line break) when nothing moved; otherwise the
// short-transfer warning when fewer bytes than the byte count moved, then the dump of the block.
void ReportMovedBytes(const TransferRun* run, int moved, int direction);

// Prints the rate of `bytes` over the stopwatch's elapsed time: "KBytes/s" above 1024 bytes
// per second, else "Bytes/s", followed by the time.
void PrintTransferRate(int bytes);

// Test seam: the allocator of the blocks (null restores malloc). Blocks are freed with free().
void SetTransferBlockAllocator(void* (*allocator)(size_t));
