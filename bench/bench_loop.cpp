// Loop mode: "Extended read" every 2 ms for 5 s in the Qt front end (offscreen unless
// QT_QPA_PLATFORM says otherwise), with printing off and with printing on (receive size 4096),
// each with Verify off and on (every frame's payload checked), and with the monitor window shown.
//
// Each run is a fresh Kestrel process on one simulated board: the user's steps (I/O mode,
// receive size, print, loop time, "Loop" checked, then unchecked after 5 s) run as callbacks
// inside Kestrel's event loop. Prints the ticks per second of wall-clock time between the check
// and the uncheck against the nominal 500, and the CPU time per tick (user + system); the
// target is at least 98 % of 500 ticks/s.
#include "app/Kestrel.h"
#include "core/AdditionSettings.h"
#include "core/Kestrel_core.h"
#include "engine/Dispatch.h"
#include "engine/LoopMode.h"
#include "monitor/MonitorPanel.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"
#include "ui/Radio.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPeriodMs = 2;
constexpr int kSeconds = 5;
constexpr int kRuns = 3;

int ticks = 0;

// Counts the tick, then hands it to loop mode's own callback.
int CountingTimerCB(int panel, int control, int event, void* data, int e1, int e2) {
    if (event == EVENT_TIMER_TICK) ++ticks;
    return TimerCB(panel, control, event, data, e1, e2);
}

double CpuSeconds() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// What the user sets on the setup panel, each control's callback as it would run.
void SetUpLoop(int print, int verify, int monitor) {
    settings::Additions().set(settings::kVerify, verify);
    if (monitor) ShowMonitorCB(0, 0, nullptr, 0);
    const int setup = GetSetupPanelHandle();
    Radio_SetMarkedOption(setup, SETUPPANEL_IOMODE, 4);
    IOModeCB(setup, SETUPPANEL_IOMODE, EVENT_COMMIT, nullptr, 0, 0);
    SetRxBuffer(4096);
    SetCtrlVal(setup, SETUPPANEL_PRINTCHK, print);
    PrintChkCB(setup, SETUPPANEL_PRINTCHK, EVENT_COMMIT, nullptr, 0, 0);
    SetCtrlVal(setup, SETUPPANEL_LOOPRING, kPeriodMs);
    LoopTimeCB(setup, SETUPPANEL_LOOPRING, EVENT_COMMIT, nullptr, 0, 0);
    InstallCtrlCallback(setup, SETUPPANEL_TIMER, CountingTimerCB, nullptr);
}

void CheckLoop(int on) {
    const int setup = GetSetupPanelHandle();
    SetCtrlVal(setup, SETUPPANEL_LOOPCHECKBOX, on);
    LoopChkCB(setup, SETUPPANEL_LOOPCHECKBOX, EVENT_VAL_CHANGED, nullptr, 0, 0);
}

// One loop run in this process; prints ticks, CPU seconds and wall-clock seconds.
int RunOnce(int print, int verify, int monitor) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kestrel_bench_loop_" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    corvousb::testing::ResetBus();
    corvousb::testing::AddBoard(); // the default board, with its EEPROM in memory

    int argc = 1;
    char name[] = "bench_loop";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    double cpu = 0;
    std::chrono::steady_clock::time_point start;
    std::chrono::duration<double> wall{};
    QTimer::singleShot(0, [&] {
        SetUpLoop(print, verify, monitor);
        cpu = CpuSeconds();
        start = std::chrono::steady_clock::now();
        CheckLoop(1);
        // A precise stop: a coarse timer may fire up to 5 % late.
        QTimer::singleShot(kSeconds * 1000, Qt::PreciseTimer, [&] {
            CheckLoop(0);
            wall = std::chrono::steady_clock::now() - start;
            cpu = CpuSeconds() - cpu;
            QuitUserInterface(0);
        });
    });
    int rc = KestrelMain();
    fs::remove_all(dir);
    std::printf("%d %f %f\n", ticks, cpu, wall.count());
    return rc;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 4 && std::strcmp(argv[1], "--once") == 0)
        return RunOnce(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    setenv("QT_QPA_PLATFORM", "offscreen", 0); // the runs inherit it

    const double nominal = 1000.0 / kPeriodMs;
    std::printf("loop mode, \"Extended read\" every %d ms for %d s, receive size 4096, Qt "
                "front end (%d runs each)\n",
                kPeriodMs, kSeconds, kRuns);
    for (int run = 0; run < 6; ++run) {
        const int print = run % 2, verify = run / 2 == 1, monitor = run / 2 == 2;
        std::vector<double> shares, cpuPerTick;
        for (int i = 0; i < kRuns; ++i) {
            std::string command = std::string(argv[0]) + " --once " + std::to_string(print) + " " +
                                  std::to_string(verify) + " " + std::to_string(monitor);
            FILE* child = popen(command.c_str(), "r");
            int count = 0;
            double cpu = 0, wall = 0;
            if (child == nullptr || std::fscanf(child, "%d %lf %lf", &count, &cpu, &wall) != 3 ||
                pclose(child) != 0 || count == 0 || wall <= 0) {
                std::fprintf(stderr, "loop run %d failed\n", i + 1);
                return 1;
            }
            shares.push_back(100.0 * count / wall / nominal);
            cpuPerTick.push_back(cpu * 1e6 / count);
        }
        std::sort(shares.begin(), shares.end());
        std::sort(cpuPerTick.begin(), cpuPerTick.end());
        std::printf("  print %s, verify %s, monitor %s: %% of %.0f ticks/s: min %.1f, median %.1f, "
                    "max %.1f "
                    "(target >= 98); CPU per tick: median %.0f us (min %.0f, max %.0f)\n",
                    print ? "on " : "off", verify ? "on " : "off", monitor ? "shown " : "hidden",
                    nominal, shares.front(), shares[kRuns / 2], shares.back(),
                    cpuPerTick[kRuns / 2], cpuPerTick.front(), cpuPerTick.back());
    }
    return 0;
}
