// The run monitor's state, its loop watcher and its run-event listener.
#include "monitor/RunMonitor.h"

#include "core/AdditionSettings.h"
#include "core/Kestrel_core.h"
#include "core/RunEvents.h"
#include "engine/DataCheck.h"
#include "engine/LoopWatch.h"
#include "monitor/LoopSettings.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

#include <string>

namespace monitor {

namespace {

struct State {
    Clocks clocks;
    SoakLimits limits;
    SecondSampler sampler;
    EventLog log;
    WallTime start;
    LoopSettings settings{};
    bool checks = false, active = false;
    std::string stopReason; // set before the monitor itself stops a loop
    std::function<void(Change)> listener;
};

State& The() {
    static State state;
    return state;
}

std::chrono::nanoseconds Now() {
    const State& s = The();
    return s.clocks.monotonic ? s.clocks.monotonic()
                              : std::chrono::steady_clock::now().time_since_epoch();
}

WallTime WallNow() {
    const State& s = The();
    return s.clocks.wall ? s.clocks.wall() : std::chrono::system_clock::now();
}

void Tell(Change change) {
    if (The().listener) The().listener(change);
}

bool Verifying() {
    return settings::Additions().get(settings::kVerify) != 0;
}

Counts CountsNow() {
    const check::CheckTally& t = CheckTotals();
    return {GetTotalByteCount(), GetLostFrames(), GetHeaderErrors(), GetTrailerErrors(),
            t.compared,          t.wrongBytes,    t.wrongBits};
}

std::string Plural(std::uint64_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// One line for each of the `closed` newest seconds that had errors.
void LogErrorSeconds(std::size_t closed) {
    State& s = The();
    const SecondHistory& h = s.sampler.history();
    for (std::size_t i = h.size() - std::min(closed, h.size()); i < h.size(); ++i) {
        const Counts& c = h[i].counts;
        if (c.errors() == 0) continue;
        std::string text = "Errors in second " + std::to_string((h[i].endMs + 999) / 1000) + ": " +
                           Plural(c.lost, "lost frame") + ", " +
                           Plural(c.headerErrors, "header error") + ", " +
                           Plural(c.trailerErrors, "trailer error");
        if (s.checks) text += ", " + Plural(c.wrongBytes, "wrong byte");
        s.log.add(s.start + std::chrono::milliseconds(h[i].endMs), text);
        Tell(Change::LineLogged);
    }
}

void FollowSettings() {
    State& s = The();
    const LoopSettings now = LoopSettingsNow();
    for (const std::string& change : Changes(s.settings, now))
        runevents::Emit(runevents::Kind::SettingChanged, change);
    s.settings = now;
    s.checks = s.checks || Verifying();
}

void EndRun(const std::string& why) {
    State& s = The();
    if (!s.active) return;
    s.active = false;
    FollowSettings();
    LogErrorSeconds(s.sampler.finish(Now()));
    runevents::Emit(runevents::Kind::LoopStopped, why);
    Tell(Change::RunStopped);
}

// Unchecks "Loop" as the user would, so that the loop's own stop runs and prints as usual.
void StopLoop(const std::string& why) {
    The().stopReason = why;
    const int setup = GetSetupPanelHandle();
    SetCtrlVal(setup, SETUPPANEL_LOOPCHECKBOX, 0);
    CallCtrlCallback(setup, SETUPPANEL_LOOPCHECKBOX, EVENT_VAL_CHANGED, 0, 0);
}

void OnLoop(LoopPhase phase) {
    State& s = The();
    if (phase == LoopPhase::Started) {
        s.sampler.start(Now());
        s.start = WallNow();
        s.settings = LoopSettingsNow();
        s.checks = Verifying();
        s.active = true;
        s.stopReason.clear();
        runevents::Emit(runevents::Kind::LoopStarted, Describe(s.settings));
        Tell(Change::RunStarted);
    } else if (phase == LoopPhase::Stopped) {
        EndRun(s.stopReason.empty() ? "by the user" : s.stopReason);
    } else if (s.active) {
        FollowSettings();
        const std::size_t closed = s.sampler.sample(Now(), CountsNow());
        LogErrorSeconds(closed);
        if (closed > 0) Tell(Change::SecondsClosed);
        const std::string why = SoakStopReason(s.limits, s.sampler.summary().elapsed,
                                               s.sampler.summary().totals.errors());
        if (!why.empty()) StopLoop(why);
    }
}

// By runevents::Kind, in its order.
const char* const kPrefixes[] = {"Loop started: ", "Loop stopped: ", "Library error: ",
                                 "Board gone: ",   "Board back: ",   "Setting changed: "};

void OnRunEvent(runevents::Kind kind, const std::string& text) {
    State& s = The();
    s.log.add(WallNow(), kPrefixes[static_cast<int>(kind)] + text);
    Tell(Change::LineLogged);
    // The "USB Error" box has stopped the loop: its run ends here.
    if (kind == runevents::Kind::LibraryError && s.active && GetLoopState() == 0)
        EndRun("after the library error");
}

} // namespace

void StartRunMonitor() {
    State& s = The();
    s.limits = {};
    s.sampler = SecondSampler();
    s.log = EventLog();
    s.active = false;
    WatchLoop(OnLoop);
    runevents::Listen(OnRunEvent);
}

void SetClocks(Clocks clocks) {
    The().clocks = std::move(clocks);
}

SoakLimits& Limits() {
    return The().limits;
}
const SecondSampler& Sampler() {
    return The().sampler;
}
const EventLog& Log() {
    return The().log;
}
WallTime RunStart() {
    return The().start;
}
bool RunHasChecks() {
    return The().checks;
}
bool RunActive() {
    return The().active;
}

void OnMonitorChange(std::function<void(Change)> listener) {
    The().listener = std::move(listener);
}

} // namespace monitor
