// Real-time rates of the timed simulated board: sub-address reads (UsbRd, what Kestrel's "<Read>"
// times) of 65,536 bytes at high speed in both FIFO modes and at full speed, against the time
// model's figure.
#include "platform/corvousb/CorvoUsb.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBytes = 65536;
constexpr int kRuns = 9;
// The chip's power-on transfer size: Kestrel does not send its own at connection.
constexpr double kTransferSize = 4096;

// The model's time of one UsbRd: the 8-byte command, then the answer, each n / rate plus one
// request cost per transfer size started (no latency wait: both end in full packets).
double ModelSeconds(double rate, double requestSeconds) {
    auto link = [&](double bytes) {
        return bytes / rate + std::ceil(bytes / kTransferSize) * requestSeconds;
    };
    return link(8) + link(kBytes);
}

// Prints min/median/max of kRuns reads on `handle` against the model's rate.
void Measure(const char* name, int handle, double modelSeconds) {
    std::vector<unsigned char> block(kBytes);
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const int got = UsbRd(handle, 0, block.data(), kBytes);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (got != kBytes) std::fprintf(stderr, "bench_timing: short read of %d bytes\n", got);
        rates.push_back(got / seconds / 1024.0);
    }
    std::sort(rates.begin(), rates.end());
    const double model = kBytes / modelSeconds / 1024.0;
    const double median = rates[rates.size() / 2];
    std::printf("  %-24s model %9.3f  min %9.3f  median %9.3f  max %9.3f KBytes/s  "
                "median/model %.3f\n",
                name, model, rates.front(), median, rates.back(), median / model);
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path bus = fs::temp_directory_path() / ("bench_timing_" + std::to_string(getpid()));
    std::ofstream(bus) << "[board]\n"                      // the default board, EEPROM in memory
                          "[board]\nserial = SIM00002\nspeed = full\n";
    ::setenv("CORVOUSB_BUS", bus.c_str(), 1);
    const int high = OpenUsbDevice("SIM00001");
    const int full = OpenUsbDevice("SIM00002");
    fs::remove(bus);
    if (high <= 0 || full <= 0) {
        std::fprintf(stderr, "bench_timing: cannot open the simulated boards\n");
        return 1;
    }
    std::printf("UsbRd of %d bytes in real time, transfer size %.0f, %d runs each\n", kBytes,
                kTransferSize, kRuns);
    Measure("high speed, async FIFO", high, ModelSeconds(8e6, 125e-6));
    USB_SetSynchronousMode(high, 100);
    Measure("high speed, sync FIFO", high, ModelSeconds(40e6, 125e-6));
    Measure("full speed", full, ModelSeconds(1e6, 1e-3));
    CloseUsbDevice(high);
    CloseUsbDevice(full);
    return 0;
}
