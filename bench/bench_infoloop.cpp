// Information box under a fast loop: a 2 ms timer control appending one 60-character line
// per tick to the main panel's box in the Qt front end, window shown, for 5 s.
//
// Prints the ticks per second achieved (target: at least 98 % of 500) and the CPU time per
// tick. `--hidden` runs the same with the window hidden, for comparison.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Resources.h"

namespace {

constexpr double kSeconds = 5.0;
constexpr double kIntervalS = 0.002;

using Clock = std::chrono::steady_clock;

int gMain = 0;
long gTicks = 0;
Clock::time_point gEnd;
Clock::time_point gLastTick;
long gLate = 0; // ticks more than one interval after the previous one
double gLongestGapMs = 0;

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// 59 visible characters and a line break, like a line of the hex dump.
std::string DumpLine(long tick) {
    char line[64];
    std::snprintf(line, sizeof line, "%08lX :", tick * 16);
    std::string s = line;
    for (int b = 0; s.size() < 59; ++b) {
        std::snprintf(line, sizeof line, " %02X", static_cast<int>((tick * 16 + b) & 0xFF));
        s += line;
    }
    s.resize(59);
    return s + "\n";
}

int Tick(int, int, int event, void*, int, int) {
    if (event != EVENT_TIMER_TICK) return 0;
    const auto now = Clock::now();
    if (gTicks > 0) {
        const double gap = std::chrono::duration<double, std::milli>(now - gLastTick).count();
        gLate += gap > 2000.0 * kIntervalS;
        gLongestGapMs = std::max(gLongestGapMs, gap);
    }
    gLastTick = now;
    SetCtrlVal(gMain, MAINPANEL_INFOTEXTBOX, DumpLine(gTicks++).c_str());
    if (Clock::now() >= gEnd) QuitUserInterface(0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool hidden = argc > 1 && std::strcmp(argv[1], "--hidden") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    RegisterKestrelResources();
    if (!InitCVIRTE(nullptr, nullptr, nullptr)) return 1;
    gMain = LoadPanel(0, "KestrelUIR.uir", 1);
    const int setup = LoadPanel(0, "KestrelUIR.uir", 2);
    if (gMain < 0 || setup < 0) return 1;
    if (!hidden) DisplayPanel(gMain);
    QApplication::processEvents();

    InstallCtrlCallback(setup, SETUPPANEL_TIMER, Tick, nullptr);
    SetCtrlAttribute(setup, SETUPPANEL_TIMER, ATTR_INTERVAL, kIntervalS);
    const double cpu0 = CpuSeconds();
    const auto t0 = Clock::now();
    gEnd =
        t0 + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kSeconds));
    SetCtrlAttribute(setup, SETUPPANEL_TIMER, ATTR_ENABLED, 1);
    RunUserInterface();
    SetCtrlAttribute(setup, SETUPPANEL_TIMER, ATTR_ENABLED, 0);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = CpuSeconds() - cpu0;

    const double rate = static_cast<double>(gTicks) / wall;
    const double target = 1.0 / kIntervalS;
    std::printf("info box under a 2 ms timer, one 60-character line per tick, window %s "
                "(%.1f s, offscreen)\n",
                hidden ? "hidden" : "shown", wall);
    std::printf("  ticks: %ld, %.1f per second = %.1f %% of %.0f (target >= 98 %%)\n", gTicks, rate,
                100.0 * rate / target, target);
    std::printf("  gaps over 4 ms between ticks: %ld, longest %.1f ms\n", gLate, gLongestGapMs);
    std::printf("  CPU per tick: %.3f ms (%.1f %% of one core)\n", 1000.0 * cpu / gTicks,
                100.0 * cpu / wall);
    uirt::ResetModel();
    return 0;
}
