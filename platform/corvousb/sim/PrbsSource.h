// A pseudo-random stream as a board's logic would send it: a linear feedback shift register
// stepped one bit at a time.
//
// Orders 7, 15, 23 and 31 with the polynomials x^7 + x^6 + 1, x^15 + x^14 + 1, x^23 + x^18 + 1 and
// x^31 + x^28 + 1; the register starts all ones, the sequence is not inverted, and its first bit
// is the most significant bit of the first byte sent.
#pragma once

#include <cstdint>
#include <span>

namespace corvousb {

class PrbsSource {
  public:
    // `order` is 7, 15, 23 or 31.
    explicit PrbsSource(unsigned order);
    void fill(std::span<std::uint8_t> out);

  private:
    unsigned order_, tap_;
    std::uint32_t state_; // the last `order` bits sent, the newest in bit 0
};

} // namespace corvousb
