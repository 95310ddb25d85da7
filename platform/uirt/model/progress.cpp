// Long work inside a callback: when the progress box appears, how often it is updated, and Stop.
#include "platform/uirt/model/progress.h"

#include <chrono>
#include <string>

#include "platform/uirt/model/progressbox.h"
#include "platform/uirt/model/quitsignal.h"

using namespace uirt;

namespace {

struct Work {
    bool active = false;
    bool shown = false;
    bool stopped = false;
    std::int64_t start = 0;
    std::int64_t lastUpdate = 0;
    std::string title;
    std::string text;
};

ProgressBox* installedBox = nullptr;
std::int64_t (*clockMs)() = nullptr;
Work work;

std::int64_t now() {
    if (clockMs) return clockMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int percentOf(long long done, long long total) {
    if (total <= 0 || done <= 0) return 0;
    if (done >= total) return 100;
    return static_cast<int>(static_cast<double>(done) * 100.0 / static_cast<double>(total));
}

} // namespace

namespace uirt {

void SetProgressBox(ProgressBox* box) {
    installedBox = box;
}

void SetProgressClock(std::int64_t (*nowMs)()) {
    clockMs = nowMs;
}

} // namespace uirt

void BeginProgress(const char* title, const char* text) {
    EndProgress();
    work.active = true;
    work.start = now();
    work.title = title ? title : "";
    work.text = text ? text : "";
}

int UpdateProgress(long long done, long long total) {
    if (!work.active) return 0;
    // A quit signal is honoured before the box appears too: it needs no event to be handled.
    if (QuitSignal() != 0) work.stopped = true;
    if (work.stopped) return 1;
    if (!installedBox) return 0;
    const std::int64_t t = now();
    if (!work.shown) {
        if (t - work.start < kProgressDelayMs) return 0;
        installedBox->open(work.title, work.text);
        work.shown = true;
    } else if (t - work.lastUpdate < kProgressIntervalMs) {
        return 0;
    }
    work.lastUpdate = t;
    work.stopped = installedBox->update(percentOf(done, total)) || QuitSignal() != 0;
    return work.stopped ? 1 : 0;
}

void EndProgress(void) {
    if (work.shown && installedBox) installedBox->close();
    work = Work{};
}
