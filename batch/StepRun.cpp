// The shared part of running a step.
#include "batch/StepRun.h"

#include "batch/SetupDriver.h"
#include "platform/uirt/model/quitsignal.h"

#include <cstdio>
#include <cstring>

namespace batch {

namespace {
constexpr std::size_t kKeptText = 32 * 1024;
}

StepRun::StepRun(const Step& step, RunObserver& observer)
    : step_(step), observer_(observer), start_(std::chrono::steady_clock::now()),
      errorsBefore_(LibraryErrorTexts().size()) {}

std::string StepRun::takeInfoText() {
    const std::string text = TakeInfoText();
    const std::size_t toHead = std::min(kKeptText - std::min(kKeptText, head_.size()), text.size());
    head_.append(text, 0, toHead);
    tail_.append(text, toHead);
    if (tail_.size() > kKeptText) {
        tail_.erase(0, tail_.size() - kKeptText);
        cut_ = true;
    }
    return text;
}

std::size_t StepRun::libraryErrors() const {
    return LibraryErrorTexts().size() - errorsBefore_;
}

bool StepRun::tooManyLibraryErrors() const {
    return static_cast<long long>(libraryErrors()) > step_.limits.maxLibraryErrors;
}

double StepRun::elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

StepResult StepRun::finish(Measurements m, bool aborted) {
    m.libraryErrors = static_cast<double>(libraryErrors());
    return finish(Judge(m, step_.limits), aborted);
}

StepResult StepRun::finish(std::vector<Figure> figures, bool aborted) {
    takeInfoText();
    StepResult r{.name = step_.name, .kind = step_.kind, .figures = std::move(figures)};
    r.infoText = cut_ ? head_ + "\n[...]\n" + tail_ : head_ + tail_;
    r.infoCut = cut_;
    const std::vector<std::string> errors = LibraryErrorTexts();
    r.libraryErrors.assign(errors.begin() + static_cast<long>(errorsBefore_), errors.end());
    r.seconds = elapsed();
    if (aborted) {
        r.verdict = Verdict::Aborted;
        r.problem = "interrupted by a quit signal";
    } else if (tooManyLibraryErrors()) {
        r.verdict = Verdict::Error;
        r.problem = "library error: " + r.libraryErrors.front();
    } else {
        r.verdict = r.firstFailed() != nullptr ? Verdict::Fail : Verdict::Pass;
    }
    return r;
}

double StepRun::RateOf(const std::string& text) {
    double rate = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        double value = 0, seconds = 0;
        char unit[16] = "";
        if (std::sscanf(line.c_str(), "%lf %15s - %lf s", &value, unit, &seconds) == 3) {
            if (std::strcmp(unit, "KBytes/s") == 0)
                rate = value * 1024.0;
            else if (std::strcmp(unit, "Bytes/s") == 0)
                rate = value;
        }
        at = end + 1;
    }
    return rate > 0 ? rate : 0;
}

void RateSum::add(double bytesPerSecond, double span) {
    if (bytesPerSecond <= 0 || span <= 0) return;
    bytes += bytesPerSecond * span;
    seconds += span;
}

std::optional<double> RateSum::mbps() const {
    if (seconds <= 0) return std::nullopt;
    return bytes / seconds / 1e6;
}

} // namespace batch
