// Data checking: PRBS-31 generation and block comparison of 262,144 bytes, against memcpy and
// memcmp of the same size in the same run (medians of many repetitions, data in cache).
#include "check/CheckTally.h"
#include "check/Prbs.h"
#include "check/StreamChecker.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr std::size_t kBytes = 262144;
constexpr int kRepeats = 401;

// Median time in seconds of `work`, each run timed on its own.
double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRepeats / 2, times.end());
    return times[kRepeats / 2];
}

volatile int sink; // keeps the results of memcmp and the comparison alive

void Line(const char* what, double seconds, double reference, const char* against, double target) {
    std::printf("  %-36s %8.1f us  %6.2f GB/s  %.2fx %s (target >= %.2f)\n", what, seconds * 1e6,
                kBytes / seconds / 1e9, reference / seconds, against, target);
}

} // namespace

int main() {
    std::vector<std::uint8_t> a(kBytes), b(kBytes);
    check::PrbsGenerator(31).fill(a);
    b = a;
    std::printf("data checking, %zu bytes (median of %d runs)\n", kBytes, kRepeats);

    const double copy = Median([&] {
        std::memcpy(b.data(), a.data(), kBytes);
        sink = b[kBytes / 2];
    });
    check::PrbsGenerator generator(31);
    const double prbs = Median([&] {
        generator.fill(b);
        sink = b[kBytes / 2];
    });
    std::printf("  %-36s %8.1f us  %6.2f GB/s\n", "memcpy", copy * 1e6, kBytes / copy / 1e9);
    Line("PRBS-31 generation", prbs, copy, "memcpy", 0.25);

    b = a;
    const double cmp = Median([&] { sink = std::memcmp(a.data(), b.data(), kBytes); });
    const double compare =
        Median([&] { sink = static_cast<int>(check::CompareBlocks(a, b).wrongBytes); });
    std::printf("  %-36s %8.1f us  %6.2f GB/s\n", "memcmp", cmp * 1e6, kBytes / cmp / 1e9);
    Line("comparison (wrong bytes and bits)", compare, cmp, "memcmp", 0.5);
    const double stream = Median([&] {
        check::StreamChecker checker(31);
        sink = static_cast<int>(checker.check(a).wrongBytes);
    });
    std::printf("  %-36s %8.1f us  %6.2f GB/s\n", "stream check (lock, generate, compare)",
                stream * 1e6, kBytes / stream / 1e9);
    return 0;
}
