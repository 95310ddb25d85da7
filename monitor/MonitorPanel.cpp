// The monitor window's drawing and callbacks.
#include "monitor/MonitorPanel.h"

#include "core/AdditionSettings.h"
#include "monitor/HistoryFile.h"
#include "monitor/RunMonitor.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Monitor.h"
#include "ui/SettingControl.h"

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
    std::uint64_t plotted = 0;  // seconds of the run on the charts, dropped ones included
    std::uint64_t logShown = 0; // event log lines in the text box, dropped ones included
};

Window window;

constexpr const char* kErrorTraces[] = {"lost frames", "header errors", "trailer errors",
                                        "wrong bytes"};
constexpr int kErrorColors[] = {0xD62728, 0xFF7F0E, 0x9467BD, 0x8C564B};

int ErrorTraces() {
    return RunHasChecks() ? 4 : 3;
}

std::uint64_t SecondsSoFar() {
    const SecondHistory& h = Sampler().history();
    return h.dropped() + h.size();
}

// The chart points of history seconds [from, size): one rate, and one value per error trace.
void Plot(std::size_t from) {
    const SecondHistory& h = Sampler().history();
    if (from >= h.size()) return;
    const int traces = ErrorTraces();
    std::vector<double> rates, errors;
    rates.reserve(h.size() - from);
    errors.reserve((h.size() - from) * static_cast<std::size_t>(traces));
    for (std::size_t i = from; i < h.size(); ++i) {
        const Counts& c = h[i].counts;
        rates.push_back(h[i].megabytesPerSecond());
        const double values[] = {static_cast<double>(c.lost), static_cast<double>(c.headerErrors),
                                 static_cast<double>(c.trailerErrors),
                                 static_cast<double>(c.wrongBytes)};
        errors.insert(errors.end(), values, values + traces);
    }
    PlotStripChart(window.panel, MONITORPANEL_RATECHART, rates.data(),
                   static_cast<int>(rates.size()));
    PlotStripChart(window.panel, MONITORPANEL_ERRORCHART, errors.data(),
                   static_cast<int>(errors.size()));
}

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

// The charts again, from the history: the window's last seconds.
void RedrawCharts() {
    const int p = window.panel;
    int seconds = 60;
    GetCtrlVal(p, MONITORPANEL_WINDOWRING, &seconds);
    const int traces = ErrorTraces();
    SetCtrlAttribute(p, MONITORPANEL_ERRORCHART, ATTR_NUM_TRACES, traces);
    for (int t = 0; t < traces; ++t) {
        SetTraceAttribute(p, MONITORPANEL_ERRORCHART, t + 1, ATTR_TRACE_LABEL, kErrorTraces[t]);
        SetTraceAttribute(p, MONITORPANEL_ERRORCHART, t + 1, ATTR_TRACE_COLOR, kErrorColors[t]);
    }
    for (int chart : {MONITORPANEL_RATECHART, MONITORPANEL_ERRORCHART}) {
        SetCtrlAttribute(p, chart, ATTR_POINTS_PER_SCREEN, seconds);
        ClearStripChart(p, chart);
    }
    const std::size_t kept = Sampler().history().size();
    Plot(kept - std::min(kept, static_cast<std::size_t>(seconds)));
    window.plotted = SecondsSoFar();
}

// Everything again: the charts, the figures, the whole log.
void Redraw() {
    RedrawCharts();
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
    int traces = 0;
    GetCtrlAttribute(window.panel, MONITORPANEL_ERRORCHART, ATTR_NUM_TRACES, &traces);
    if (traces != ErrorTraces()) RedrawCharts(); // Verify came on during the run
    const std::uint64_t fresh = SecondsSoFar() - window.plotted;
    const std::size_t kept = Sampler().history().size();
    Plot(kept - static_cast<std::size_t>(std::min<std::uint64_t>(fresh, kept)));
    window.plotted = SecondsSoFar();
    ShowFigures();
}

} // namespace

void StartMonitorPanel(void) {
    window = {};
    StartRunMonitor();
    OnMonitorChange(Follow);
}

void EndMonitorPanel(void) {
    if (window.panel > 0) DiscardPanel(window.panel);
    window = {};
}

void ShowMonitorCB(int, int, void*, int) {
    Show();
}

int MonitorWindowCB(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) RedrawCharts();
    return 0;
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
    StoreControlSetting(panel, control, event, settings::kMonitorAtLoopStart);
    return 0;
}

int SaveHistoryCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    char path[4096] = "";
    const int chosen =
        FileSelectPopup("", "history.csv", "*.csv", "Save history", 1, path, sizeof path);
    if (chosen != VAL_EXISTING_FILE_SELECTED && chosen != VAL_NEW_FILE_SELECTED) return 0;
    const std::string problem = SaveHistory(
        path, HistoryCsv(Sampler().history(), RunStart(), RunHasChecks()), Log().text());
    if (!problem.empty()) MessagePopup("Save history", problem.c_str());
    return 0;
}

int CloseMonitorCB(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    HidePanel(panel);
    window.shown = false;
    return 0;
}
