// Transfer overhead: usb_test "<Read>" of 65,536 32-bit words (262,144 bytes) on the simulated
// board, against memcpy of the same size in the same run.
//
// The rate of a run is the byte count over the stopwatch's time around the library call, the
// time the rate line reports. Prints the minimum, median and maximum of the ratio of the two
// medians over several rounds; the target is at least 0.5.
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/UsbTest.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/uirt.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWords = 65536;
constexpr int kBytes = kWords * 4;
constexpr int kRounds = 5;
constexpr int kRunsPerRound = 41;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Bytes per second of memcpy of kBytes, median of the round.
double MemcpyRate() {
    std::vector<unsigned char> from(kBytes, 0x5A), to(kBytes);
    std::vector<double> rates;
    for (int i = 0; i < kRunsPerRound; ++i) {
        from[static_cast<size_t>(i)] = static_cast<unsigned char>(i); // keep each copy live
        const auto t0 = std::chrono::steady_clock::now();
        std::memcpy(to.data(), from.data(), kBytes);
        const auto t1 = std::chrono::steady_clock::now();
        if (to[static_cast<size_t>(i)] != from[static_cast<size_t>(i)]) return 0;
        rates.push_back(kBytes / std::chrono::duration<double>(t1 - t0).count());
    }
    return Median(rates);
}

// Bytes per second that usb_test "<Read>" reports, median of the round.
double ReadRate() {
    std::vector<double> rates;
    for (int i = 0; i < kRunsPerRound; ++i) {
        usb_test();
        rates.push_back(kBytes / ElapsedTimeDouble());
    }
    return Median(rates);
}

} // namespace

int main() {
    // The default simulated board, untimed, its EEPROM in memory; no panels, so the rate lines
    // go nowhere.
    corvousb::testing::ResetBus();
    corvousb::BoardSetup untimed;
    untimed.timing = false;
    corvousb::testing::AddBoard(untimed);
    InitProcessorTimerCaps();
    InitTestBoard();
    const int handle = OpenUsbDevice("SIM00001");
    if (handle <= 0 || !USB_Init(handle, 1)) {
        std::fprintf(stderr, "no simulated board\n");
        return 1;
    }
    SetUsbId(handle);
    SetIOMode(0);
    SetWordSize(2);
    SetWordCount(kWords);
    SetPrintState(0);

    std::vector<double> reads, copies, ratios;
    for (int round = 0; round < kRounds; ++round) {
        reads.push_back(ReadRate());
        copies.push_back(MemcpyRate());
        ratios.push_back(reads.back() / copies.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("usb_test \"<Read>\" of %d bytes, simulated board (%d rounds of %d runs)\n", kBytes,
                kRounds, kRunsPerRound);
    std::printf("  usb_test:  median %9.1f MB/s\n", Median(reads) / 1e6);
    std::printf("  memcpy:    median %9.1f MB/s\n", Median(copies) / 1e6);
    std::printf("  ratio usb_test / memcpy: min %.3f, median %.3f, max %.3f (target >= 0.5)\n",
                ratios.front(), ratios[kRounds / 2], ratios.back());
    CloseUsbDevice(handle);
    return 0;
}
