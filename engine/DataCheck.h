// Data checking in the transfer tests: pseudo-random test data, verification of what was read
// and a loop's totals. Each is one call from a transfer test or from loop mode, and does nothing
// while its setting (core/AdditionSettings.h) is off.
#pragma once

#include "check/CheckTally.h"

#include <cstdint>

// When pseudo-random data is chosen, fills `count` bytes of `buffer` with the sequence and
// returns 1; else returns 0. The sequence restarts from its seed at each transfer outside a loop
// and continues across the transfers of a loop.
int FillCheckData(unsigned char* buffer, int count);

// After a read-back of `count` bytes written, of which `got` came back (negative: the read
// failed, nothing to check): the report lines of the comparison.
void CheckReadBack(const unsigned char* written, const unsigned char* read, int count, int got);
// After a raw read of `got` bytes: the report of the stream against the chosen sequence. A loop
// keeps its lock from one read to the next.
void CheckRawStream(const unsigned char* read, int got);
// After an extended read of `bytes` bytes: the frames' payloads against the payload rule,
// reported at once outside a loop and in the loop's totals within one.
void CheckFramePayloadsOf(const unsigned char* block, int bytes);

// At the start of a loop: the totals start from zero and the sequences from their seeds.
void StartCheckRun(void);
// At the end of a loop: the totals, when anything was checked.
void PrintCheckTotals(void);

// For the additions that judge transfers by their checks: how many checks were made, the tally
// of the latest one, and the loop's totals so far.
std::uint64_t ChecksMade(void);
const check::CheckTally& LatestCheck(void);
const check::CheckTally& CheckTotals(void);
