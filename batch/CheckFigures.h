// The data-check figures of a transfer or loop step, from the checks' tallies.
#pragma once

#include "batch/Judge.h"
#include "check/CheckTally.h"

namespace batch {

// The checks of a step's transfers, added up.
struct CheckSum {
    check::CheckTally tally;
    bool any = false;
    void add(const check::CheckTally& t);
};

// With Verify on: the wrong bytes (bytes not read back, and stream bytes where the sequence was
// never found, count as wrong) and the bit-error rate, or for extended reads the payload errors.
// Nothing when Verify is off or nothing was checked.
void AddCheckFigures(Measurements& m, const TransferSettings& t, const CheckSum& checks);

} // namespace batch
