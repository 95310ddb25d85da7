// The report of a check: one line when all is well, a few when not, each starting with `prefix`
// ("Verify" for one transfer, "Verify total" for a loop run) so that they can be grepped.
#pragma once

#include "check/CheckTally.h"

#include <string>
#include <vector>

namespace check {

// What the block was checked against, for the wording of the report.
enum class CheckKind {
    ReadBack, // a block read back: "wrote XX, read YY"
    Stream,   // a stream against a sequence: "expected XX, read YY" and the lock lines
    Payload,  // frame payloads: "in N frames"
};

// `sequence` names the stream's sequence ("PRBS-31"); unused for the other kinds.
std::vector<std::string> ReportLines(const CheckTally& t, CheckKind kind, const char* prefix,
                                     const std::string& sequence = "");

} // namespace check
