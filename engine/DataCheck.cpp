// Data checking hooked into the transfer tests and loop mode.
#include "engine/DataCheck.h"

#include "check/CheckReport.h"
#include "check/PayloadChecker.h"
#include "check/StreamChecker.h"
#include "core/AdditionSettings.h"
#include "core/Kestrel_core.h"
#include "ui/Output.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>

namespace {

// One loop run's checks.
struct CheckRun {
    std::optional<check::PrbsGenerator> data;
    std::optional<check::StreamChecker> stream;
    check::CheckTally totals;
    check::CheckKind kind = check::CheckKind::ReadBack;
    std::uint64_t bytes = 0; // checked so far, the base of the next block's offsets
    bool any = false;
};

CheckRun run;

// The latest check and their count, whether in a loop or not.
check::CheckTally latest;
std::uint64_t checksMade = 0;

bool Verifying() {
    return settings::Additions().get(settings::kVerify) != 0;
}

int ChosenOrder() {
    return settings::Additions().get(settings::kPrbsOrder);
}

std::string SequenceName() {
    return "PRBS-" + std::to_string(ChosenOrder());
}

// InfoPrintf takes 131 characters at a time; a report line may be longer.
void PrintLine(const std::string& line) {
    constexpr std::size_t kPiece = 100;
    for (std::size_t at = 0; at < line.size(); at += kPiece)
        InfoPrintf("%.100s", line.c_str() + at);
    InfoPrintf("\n");
}

void Report(const check::CheckTally& t, check::CheckKind kind, const char* prefix) {
    for (const std::string& line : check::ReportLines(t, kind, prefix, SequenceName()))
        PrintLine(line);
}

// Adds a transfer's tally to the loop's totals; outside a loop, prints it unless `quiet`.
void Record(const check::CheckTally& t, check::CheckKind kind, bool quietInLoop) {
    latest = t;
    ++checksMade;
    if (GetLoopState() != 0) {
        run.totals.add(t, run.bytes);
        run.bytes += t.compared + t.missing + t.unchecked;
        run.kind = kind;
        run.any = true;
        if (quietInLoop) return;
    }
    Report(t, kind, "Verify");
}

std::span<const std::uint8_t> Bytes(const unsigned char* p, int n) {
    return {p, static_cast<std::size_t>(std::max(n, 0))};
}

} // namespace

int FillCheckData(unsigned char* buffer, int count) {
    if (settings::Additions().get(settings::kPrbsData) == 0) return 0;
    if (GetLoopState() == 0 || !run.data || run.data->order() != ChosenOrder())
        run.data.emplace(ChosenOrder());
    run.data->fill({buffer, static_cast<std::size_t>(std::max(count, 0))});
    return 1;
}

void CheckReadBack(const unsigned char* written, const unsigned char* read, int count, int got) {
    if (!Verifying() || got < 0) return;
    const int n = std::min(got, count);
    check::CheckTally t = check::CompareBlocks(Bytes(written, n), Bytes(read, n));
    t.missing = static_cast<std::uint64_t>(count - n);
    Record(t, check::CheckKind::ReadBack, false);
}

void CheckRawStream(const unsigned char* read, int got) {
    if (!Verifying() || got <= 0) return;
    if (GetLoopState() == 0 || !run.stream) run.stream.emplace(ChosenOrder());
    Record(run.stream->check(Bytes(read, got)), check::CheckKind::Stream, false);
}

void CheckFramePayloadsOf(const unsigned char* block, int bytes) {
    if (!Verifying()) return;
    Record(check::CheckFramePayloads(Bytes(block, bytes)), check::CheckKind::Payload, true);
}

void StartCheckRun(void) {
    run = CheckRun{};
}

void PrintCheckTotals(void) {
    if (Verifying() && run.any) Report(run.totals, run.kind, "Verify total");
}

std::uint64_t ChecksMade(void) {
    return checksMade;
}

const check::CheckTally& LatestCheck(void) {
    return latest;
}

const check::CheckTally& CheckTotals(void) {
    return run.totals;
}
