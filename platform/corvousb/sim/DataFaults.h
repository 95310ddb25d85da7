// Faults on the data a simulated board returns: lost bytes and flipped bits.
//
// Every `dropEvery`-th byte the board returns is lost (0 = none). Each bit of what is left is
// flipped with probability `bitErrorRate`, drawn from a generator seeded with `seed`, so that a
// run is repeatable: the gaps between flipped bits are geometric, which is exact and costs nothing
// per clean byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>

namespace corvousb {

class DataFaults {
  public:
    DataFaults(double bitErrorRate, unsigned seed, unsigned dropEvery);

    // Applies the faults to the `got` bytes at the front of `data`; `got` is cut by the drops.
    void apply(std::span<std::uint8_t> data, std::size_t& got);

  private:
    void drawNextError();

    double rate_;
    unsigned dropEvery_;
    unsigned long long returned_ = 0; // bytes returned or dropped so far
    unsigned long long bitsSeen_ = 0; // bits returned so far
    unsigned long long nextError_ = 0;
    std::mt19937_64 random_;
};

} // namespace corvousb
