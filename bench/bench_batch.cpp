// Runner overhead: a plan of 1,000 one-word "<Read>" transfers on the untimed simulated board,
// each step timed from its start to its line on the standard output, against the same transfer
// made by calling usb_test directly, in the same run. The target: the median step at most 1 ms
// above the median direct transfer.
#include "app/BatchCommand.h"
#include "batch/Runner.h"
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/UsbTest.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/headless/headless.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSteps = 1000;

double MedianMicroseconds(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2] * 1e6;
}

void UntimedBoard() {
    corvousb::testing::ResetBus();
    corvousb::BoardSetup untimed;
    untimed.timing = false;
    corvousb::testing::AddBoard(untimed);
}

// Each step's time, from its start to its line.
struct StepTimes : batch::RunObserver {
    Clock::time_point start;
    std::vector<double> seconds;
    void stepStarted(const batch::Step&, int, int) override { start = Clock::now(); }
    void stepEnded(const batch::StepResult&, int) override {
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
};

std::vector<double> PlanSteps(const std::string& plan) {
    UntimedBoard();
    uirt::headless::Reset();
    StepTimes times;
    std::string run = "run", file = plan;
    char* argv[] = {run.data(), file.data(), nullptr};
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    const int status = RunBatchCommand(2, argv, &times);
    std::fflush(stdout);
    ::dup2(saved, STDOUT_FILENO);
    ::close(null);
    ::close(saved);
    if (status != 0) std::fprintf(stderr, "the plan ended with %d\n", status);
    return times.seconds;
}

std::vector<double> DirectTransfers() {
    UntimedBoard();
    InitTestBoard();
    const int handle = OpenUsbDevice("SIM00001");
    if (handle <= 0 || !USB_Init(handle, 1)) return {};
    SetUsbId(handle);
    SetIOMode(0);
    SetWordCount(1);
    SetPrintState(0);
    std::vector<double> seconds;
    for (int i = 0; i < kSteps; ++i) {
        const auto t0 = Clock::now();
        usb_test();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    CloseUsbDevice(handle);
    return seconds;
}

} // namespace

int main() {
    const std::string plan = "/tmp/kestrel-bench-plan-" + std::to_string(::getpid()) + ".toml";
    {
        std::ofstream out(plan);
        for (int i = 0; i < kSteps; ++i)
            out << "[[step]]\nkind = \"transfer\"\nmode = \"read\"\nword-count = 1\n";
    }
    InitProcessorTimerCaps();
    const std::vector<double> steps = PlanSteps(plan);
    const std::vector<double> direct = DirectTransfers();
    std::remove(plan.c_str());
    if (steps.size() != kSteps || direct.size() != kSteps) {
        std::fprintf(stderr, "the runs did not complete\n");
        return 1;
    }
    const double step = MedianMicroseconds(steps), call = MedianMicroseconds(direct);
    std::printf("plan of %d one-word \"<Read>\" transfers, untimed simulated board\n", kSteps);
    std::printf("  plan step (median):        %8.1f us\n", step);
    std::printf("  usb_test directly (median): %8.1f us\n", call);
    std::printf("  runner overhead per step:  %8.1f us (target <= 1000 us)\n", step - call);
    return 0;
}
