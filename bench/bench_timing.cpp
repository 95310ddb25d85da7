// Real-time rates of the timed simulated board: Kestrel's usb_test "<Read>" of 65,536 bytes at
// high speed in both FIFO modes and at full speed, against the time model's figure.
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/UsbTest.h"
#include "platform/corvousb/CorvoUsb.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

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

// Prints min/median/max of the rates of kRuns usb_test "<Read>" runs on `handle` (the rate its
// rate line prints) against the model's rate.
void Measure(const char* name, int handle, double modelSeconds) {
    SetUsbId(handle);
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        usb_test();
        rates.push_back(kBytes / ElapsedTimeDouble() / 1024.0);
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
    std::ofstream(bus) << "[board]\n" // the default board, EEPROM in memory
                          "[board]\nserial = SIM00002\nspeed = full\n";
    ::setenv("CORVOUSB_BUS", bus.c_str(), 1);
    const int high = OpenUsbDevice("SIM00001");
    const int full = OpenUsbDevice("SIM00002");
    fs::remove(bus);
    if (high <= 0 || full <= 0 || !USB_Init(high, 1) || !USB_Init(full, 1)) {
        std::fprintf(stderr, "bench_timing: cannot open the simulated boards\n");
        return 1;
    }
    // No panels: the rate lines go nowhere.
    InitProcessorTimerCaps();
    InitTestBoard();
    SetIOMode(0);
    SetWordSize(0);
    SetWordCount(kBytes);
    SetPrintState(0);
    std::printf("usb_test \"<Read>\" of %d bytes in real time, transfer size %.0f, %d runs each\n",
                kBytes, kTransferSize, kRuns);
    Measure("high speed, async FIFO", high, ModelSeconds(8e6, 125e-6));
    USB_SetSynchronousMode(high, 100);
    Measure("high speed, sync FIFO", high, ModelSeconds(40e6, 125e-6));
    Measure("full speed", full, ModelSeconds(1e6, 1e-3));
    CloseUsbDevice(high);
    CloseUsbDevice(full);
    return 0;
}
