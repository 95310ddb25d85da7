// What a run measured: per step the figures, each against its limit, and the verdict.
#pragma once

#include "batch/Plan.h"

#include <optional>
#include <string>
#include <vector>

namespace batch {

// One measured figure. A figure with a bound was judged against its limit.
struct Figure {
    enum class Bound { None, AtLeast, AtMost, Equals };
    std::string name{}, unit{};
    double value = 0;
    std::string text{}; // text figures (EEPROM fields): the value read
    Bound bound = Bound::None;
    double limit = 0;
    std::string limitText{};
    bool passed = true;
};

enum class Verdict { Pass, Fail, Error, Aborted, NotRun };

struct StepResult {
    std::string name{};
    StepKind kind = StepKind::Transfer;
    Verdict verdict = Verdict::NotRun;
    std::vector<Figure> figures{};
    std::string infoText{}; // what the step printed in the information box (capped)
    bool infoCut = false;   // the middle of a long text was left out
    std::vector<std::string> libraryErrors{};
    std::string problem{}; // why an error or abort ended it
    double seconds = 0;    // wall time of the step

    const Figure* firstFailed() const;
};

// The outcome of a whole run, in exit-code order of precedence.
enum class Outcome {
    Passed = 0,
    LimitFailed = 1,
    Usage = 2,
    NoBoard = 3,
    LibraryError = 4,
    Interrupted = 130
};

struct BoardIdentity {
    std::string description, serial, location;
};

struct RunReport {
    std::string planFile{}, planName{};
    BoardIdentity board{};
    LinkSettings link{};            // as the panel held them when the steps ran
    std::string started{}, ended{}; // ISO 8601, UTC
    std::vector<Step> steps{};
    std::vector<StepResult> results{};
    Outcome outcome = Outcome::Passed;
    std::string problem{}; // why the run could not start, when it could not
};

// Words for the reports.
const char* VerdictWord(Verdict v); // "PASS", "FAIL", "ERROR", "ABORTED", "NOT RUN"
const char* KindWord(StepKind k);   // "transfer", "loop", "eeprom-check", "eeprom-program"
const char* OutcomeText(Outcome o); // "all steps passed", ...

} // namespace batch
