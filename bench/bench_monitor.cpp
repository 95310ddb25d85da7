// The run monitor with a day of history: 86,400 seconds fed through loop mode's watcher (one
// tick a second on a virtual clock, a frame checked per tick, a lost frame every minute), the
// resident memory they take, then the monitor window shown on its 60-minute window in the Qt
// front end (offscreen unless QT_QPA_PLATFORM says otherwise) and the time to redraw it.
#include "app/Kestrel.h"
#include "engine/LoopWatch.h"
#include "monitor/MonitorPanel.h"
#include "monitor/RunMonitor.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/StripChart.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/Monitor.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::chrono::nanoseconds virtualNow{0};

// VmRSS of this process, in MB.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        double kb = 0;
        if (key == "VmRSS:" && status >> kb) return kb / 1000.0;
    }
    return 0;
}

// A day of seconds into the monitor; returns the memory they took in MB.
double FeedADay() {
    monitor::SetClocks(
        {[] { return virtualNow; },
         [] { return monitor::WallTime(std::chrono::seconds(1796600000)) + virtualNow; }});
    const double before = ResidentMegabytes();
    TellLoopWatcher(LoopPhase::Started);
    const std::vector<unsigned char> payload(512, 0x5A);
    unsigned counter = 0;
    for (int second = 1; second <= 86400; ++second) {
        virtualNow += 1s;
        counter += second % 60 == 0 ? 2 : 1; // a gap: one lost frame
        auto frame = corvousb::testing::MakeFrame(counter & 0xFFFF, payload);
        USB_CheckFrames(frame.data(), static_cast<int>(frame.size()));
        TellLoopWatcher(LoopPhase::Ticked);
    }
    return ResidentMegabytes() - before;
}

// Milliseconds of `step` until the window is painted.
double Timed(void (*step)()) {
    const auto t0 = Clock::now();
    step();
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// The window's redraw, then its charts shown and the window painted at once (the charts
// otherwise wait for their next repaint).
void Redraw() {
    const int panel = GetActivePanel();
    CallCtrlCallback(panel, MONITORPANEL_WINDOWRING, EVENT_COMMIT, 0, 0);
    QWidget* window = uirt::qt::PanelWindow(panel);
    for (uirt::qt::StripChart* chart : window->findChildren<uirt::qt::StripChart*>())
        chart->show();
    window->repaint();
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    corvousb::testing::ResetBus();
    corvousb::testing::AddBoard();
    QApplication app(argc, argv);
    QTimer::singleShot(0, [] {
        const double megabytes = FeedADay();
        const double shown = Timed([] {
            ShowMonitorCB(0, 0, nullptr, 0);
            SetCtrlVal(GetActivePanel(), MONITORPANEL_WINDOWRING, 3600);
        });
        std::vector<double> redraws;
        for (int i = 0; i < 7; ++i)
            redraws.push_back(Timed(Redraw));
        std::sort(redraws.begin(), redraws.end());
        std::printf("monitor, 86400 seconds of history (a lost frame a minute)\n"
                    "  memory: %.1f MB (target <= 20)\n"
                    "  window shown: %.1f ms; 60-minute window redrawn: median %.1f ms, max %.1f "
                    "ms (target <= 20)\n",
                    megabytes, shown, redraws[3], redraws.back());
        QuitUserInterface(0);
    });
    return KestrelMain();
}
