// Step lines, the summary line and the progress line.
#include "batch/ConsoleReport.h"

namespace batch {

namespace {

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

} // namespace

std::string FigureText(const Figure& f) {
    std::string text = f.name + " ";
    const bool isText = f.bound == Figure::Bound::Equals || !f.text.empty();
    if (f.name == "rate" && f.text.empty()) {
        char rate[32];
        std::snprintf(rate, sizeof rate, "%.3f", f.value);
        text += rate;
    } else {
        text += isText ? "\"" + f.text + "\"" : Number(f.value);
    }
    if (!f.unit.empty() && f.text.empty()) text += " " + f.unit;
    switch (f.bound) {
    case Figure::Bound::None:
        break;
    case Figure::Bound::AtLeast:
        text += " (min " + Number(f.limit) + ")";
        break;
    case Figure::Bound::AtMost:
        text += " (max " + Number(f.limit) + ")";
        break;
    case Figure::Bound::Equals:
        text += " (expected \"" + f.limitText + "\")";
        break;
    }
    return text;
}

std::string StepLine(const StepResult& r, int number, int count) {
    std::string line = "[" + std::to_string(number) + "/" + std::to_string(count) + "] " + r.name +
                       ": " + VerdictWord(r.verdict);
    for (std::size_t i = 0; i < r.figures.size(); ++i)
        line += (i == 0 ? "  " : ", ") + FigureText(r.figures[i]);
    if (!r.problem.empty()) line += " - " + r.problem;
    return line;
}

std::string SummaryLine(const RunReport& report) {
    int counts[5] = {};
    for (const StepResult& r : report.results)
        ++counts[static_cast<int>(r.verdict)];
    char line[256];
    std::snprintf(line, sizeof line,
                  "Summary: %zu steps, %d passed, %d failed, %d errors, %d aborted, %d not run: "
                  "exit %d (%s)",
                  report.results.size(), counts[0], counts[1], counts[2], counts[3], counts[4],
                  static_cast<int>(report.outcome), OutcomeText(report.outcome));
    return line;
}

void ConsoleObserver::stepStarted(const Step& step, int, int count) {
    stepName_ = step.name;
    count_ = count;
    lastShown_ = std::chrono::steady_clock::now();
}

void ConsoleObserver::stepProgress(const StepProgress& p) {
    if (progress_ == nullptr) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < every_) return;
    lastShown_ = now;
    std::fprintf(progress_, "\r%s: %.0f s, %.0f of %.0f %s, %.3f MB/s, %.0f errors  ",
                 stepName_.c_str(), p.elapsed, p.done, p.total, p.unit, p.rateMBps, p.errors);
    std::fflush(progress_);
    shown_ = true;
}

void ConsoleObserver::stepEnded(const StepResult& r, int number) {
    if (shown_) {
        std::fputs("\r\033[K", progress_);
        std::fflush(progress_);
        shown_ = false;
    }
    std::printf("%s\n", StepLine(r, number, count_).c_str());
    std::fflush(stdout);
}

} // namespace batch
