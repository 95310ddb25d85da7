// Words of the reports and the first failed figure.
#include "batch/StepResult.h"

namespace batch {

const Figure* StepResult::firstFailed() const {
    for (const Figure& f : figures)
        if (!f.passed) return &f;
    return nullptr;
}

const char* VerdictWord(Verdict v) {
    switch (v) {
    case Verdict::Pass:
        return "PASS";
    case Verdict::Fail:
        return "FAIL";
    case Verdict::Error:
        return "ERROR";
    case Verdict::Aborted:
        return "ABORTED";
    case Verdict::NotRun:
        break;
    }
    return "NOT RUN";
}

const char* KindWord(StepKind k) {
    switch (k) {
    case StepKind::Transfer:
        return "transfer";
    case StepKind::Loop:
        return "loop";
    case StepKind::EepromCheck:
        return "eeprom-check";
    case StepKind::EepromProgram:
        break;
    }
    return "eeprom-program";
}

const char* OutcomeText(Outcome o) {
    switch (o) {
    case Outcome::Passed:
        return "all steps passed";
    case Outcome::LimitFailed:
        return "a limit failed";
    case Outcome::Usage:
        return "usage or plan error";
    case Outcome::NoBoard:
        return "no such board, or it could not be opened";
    case Outcome::LibraryError:
        return "a library error stopped the run";
    case Outcome::Interrupted:
        break;
    }
    return "interrupted";
}

} // namespace batch
