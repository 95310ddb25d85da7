// Data path of the untimed simulated board: sub-address reads (UsbRd) and extended reads
// (UsbRdEx) of 262,144 bytes against memcpy of the same size, measured in the same run.
#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

namespace cu = corvousb::testing;
using Clock = std::chrono::steady_clock;

constexpr int kBytes = 262144;
constexpr int kRuns = 15;
constexpr int kCallsPerRun = 50;

// Bytes per second of kCallsPerRun calls of `call` (each returns the bytes it moved).
double Rate(const std::function<long()>& call) {
    long bytes = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kCallsPerRun; ++i)
        bytes += call();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return static_cast<double>(bytes) / seconds;
}

struct Figures {
    std::vector<double> rates, ratios; // per run; ratio = rate / memcpy's rate in the same run
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Report(const char* name, const Figures& f, double target) {
    const auto [lo, hi] = std::minmax_element(f.rates.begin(), f.rates.end());
    std::printf("  %-25s min %6.2f  median %6.2f  max %6.2f GB/s", name, *lo / 1e9,
                Median(f.rates) / 1e9, *hi / 1e9);
    if (target > 0) {
        const auto [rlo, rhi] = std::minmax_element(f.ratios.begin(), f.ratios.end());
        std::printf("  x memcpy: min %.2f median %.2f max %.2f (target >= %.2f)", *rlo,
                    Median(f.ratios), *rhi, target);
    }
    std::printf("\n");
}

} // namespace

int main() {
    cu::ResetBus();
    cu::AddBoard({.timing = false});
    const int h = OpenUsbDevice("SIM00001");
    if (h <= 0) {
        std::fprintf(stderr, "bench_datapath: cannot open the simulated board\n");
        return 1;
    }
    std::vector<unsigned char> source(kBytes, 0x5A), block(kBytes), extended(kBytes);
    int frames = 0;
    auto copy = [&] {
        std::memcpy(block.data(), source.data(), kBytes);
        asm volatile("" : : "r"(block.data()) : "memory"); // the copy is used
        return long{kBytes};
    };
    auto rd = [&] { return long{UsbRd(h, 3, block.data(), kBytes)}; };
    auto rdEx = [&] { return long{UsbRdEx(h, extended.data(), kBytes, &frames)}; };
    Rate(copy), Rate(rd), Rate(rdEx); // warm-up: pages, queue capacity
    // The three are measured in turn in every run, so that a busy machine slows all of them.
    Figures memcpyFigures, rdFigures, rdExFigures;
    for (int run = 0; run < kRuns; ++run) {
        const double base = Rate(copy);
        for (auto [figures, call] : {std::pair{&memcpyFigures, std::function<long()>(copy)},
                                     std::pair{&rdFigures, std::function<long()>(rd)},
                                     std::pair{&rdExFigures, std::function<long()>(rdEx)}}) {
            const double rate = figures == &memcpyFigures ? base : Rate(call);
            figures->rates.push_back(rate);
            figures->ratios.push_back(rate / base);
        }
    }
    if (GetLostFrames() != 0 || GetHeaderErrors() != 0 || GetTrailerErrors() != 0) {
        std::fprintf(stderr, "bench_datapath: the frame checker found faults\n");
        return 1;
    }
    std::printf("untimed simulated board, %d bytes per call, %d runs of %d calls each\n", kBytes,
                kRuns, kCallsPerRun);
    Report("memcpy", memcpyFigures, 0);
    Report("UsbRd (sub-address read)", rdFigures, 0.5);
    Report("UsbRdEx (extended read)", rdExFigures, 0.25);
    CloseUsbDevice(h);
    return 0;
}
