// The monitor window's drawing and callbacks.
#include "monitor/MonitorPanel.h"

#include "core/AdditionSettings.h"
#include "monitor/RunMonitor.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Monitor.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace monitor;

struct Window {
    int panel = 0; // 0 until first shown
    bool shown = false;
    std::uint64_t logShown = 0; // event log lines in the text box, dropped ones included
};

Window window;

std::string Clock(std::chrono::nanoseconds span) {
    const long long s = std::chrono::duration_cast<std::chrono::seconds>(span).count();
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string Rate(const char* caption, std::optional<double> rate) {
    char text[64];
    if (rate)
        std::snprintf(text, sizeof text, "%s: %.3f MB/s", caption, *rate);
    else
        std::snprintf(text, sizeof text, "%s: -", caption);
    return text;
}

void ShowFigures() {
    const RunSummary& r = Sampler().summary();
    const int p = window.panel;
    SetCtrlVal(p, MONITORPANEL_ELAPSED, ("Elapsed: " + Clock(r.elapsed)).c_str());
    SetCtrlVal(p, MONITORPANEL_TOTALBYTES,
               ("Total: " + std::to_string(r.totals.bytes) + " bytes").c_str());
    SetCtrlVal(p, MONITORPANEL_MEANRATE, Rate("Mean rate", r.meanMBps).c_str());
    SetCtrlVal(p, MONITORPANEL_MINRATE, Rate("Minimum rate", r.minMBps).c_str());
    SetCtrlVal(p, MONITORPANEL_MAXRATE, Rate("Maximum rate", r.maxMBps).c_str());
    SetCtrlVal(p, MONITORPANEL_ERRORS, ("Errors: " + std::to_string(r.totals.errors())).c_str());
    const std::string last =
        r.lastErrorAt ? Clock(r.elapsed - *r.lastErrorAt) + " ago" : std::string("none");
    SetCtrlVal(p, MONITORPANEL_SINCEERROR, ("Last error: " + last).c_str());
}

void ShowNewLogLines() {
    const EventLog& log = Log();
    const std::uint64_t first = log.added() - log.size();
    for (std::uint64_t n = std::max(window.logShown, first); n < log.added(); ++n)
        SetCtrlVal(window.panel, MONITORPANEL_EVENTLOG, (log[n - first] + "\n").c_str());
    window.logShown = log.added();
}

// Everything again: the figures, the whole log.
void Redraw() {
    ShowFigures();
    ResetTextBox(window.panel, MONITORPANEL_EVENTLOG, Log().text().c_str());
    window.logShown = Log().added();
}

void Show() {
    if (window.panel <= 0) {
        window.panel = LoadPanel(0, "Monitor.uir", MONITORPANEL);
        if (window.panel <= 0) return;
        SetCtrlVal(window.panel, MONITORPANEL_OPENATSTART,
                   settings::Additions().get(settings::kMonitorAtLoopStart));
    }
    window.shown = true;
    Redraw();
    DisplayPanel(window.panel);
}

void Follow(Change change) {
    if (change == Change::RunStarted && settings::Additions().get(settings::kMonitorAtLoopStart))
        return Show();
    if (!window.shown) return;
    if (change == Change::LineLogged) return ShowNewLogLines();
    if (change == Change::RunStarted) return Redraw();
    ShowFigures();
}

} // namespace

void StartMonitorPanel(void) {
    window.logShown = 0;
    window.shown = false;
    window.panel = 0;
    StartRunMonitor();
    OnMonitorChange(Follow);
}

void ShowMonitorCB(int, int, void*, int) {
    Show();
}

int StopAfterCB(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int minutes = 0, errors = 0;
    GetCtrlVal(panel, MONITORPANEL_STOPMINUTES, &minutes);
    GetCtrlVal(panel, MONITORPANEL_STOPERRORS, &errors);
    Limits() = {std::chrono::minutes(minutes), static_cast<std::uint64_t>(errors)};
    return 0;
}

int OpenAtLoopStartCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int on = 0;
    GetCtrlVal(panel, control, &on);
    settings::Additions().set(settings::kMonitorAtLoopStart, on);
    return 0;
}

int CloseMonitorCB(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    HidePanel(panel);
    window.shown = false;
    return 0;
}
