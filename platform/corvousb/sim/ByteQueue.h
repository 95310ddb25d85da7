// Bytes waiting in one direction of the simulated FIFO: a growable buffer that is filled in place,
// and a ramp pattern at its end that is written only when it is popped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace corvousb {

class ByteQueue {
  public:
    std::size_t size() const { return tail_ - head_ + rampLength_; }
    // Appends n bytes and returns them for the caller to fill (their content is unspecified).
    std::span<std::uint8_t> extend(std::size_t n);
    void push(std::span<const std::uint8_t> data);
    // Appends n bytes of the ramp (start + i) mod 256 (see FillRamp).
    void pushRamp(unsigned start, std::size_t n);
    // Moves up to out.size() bytes from the front into out; the count moved.
    std::size_t pop(std::span<std::uint8_t> out);
    void clear() { head_ = tail_ = rampLength_ = 0; }

  private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t capacity_ = 0, head_ = 0, tail_ = 0;
    unsigned rampStart_ = 0;
    std::size_t rampLength_ = 0;
};

// Fills out with the ramp out[i] = (start + i) mod period; period is 128 or 256 (any other
// value is taken as 256).
void FillRamp(std::span<std::uint8_t> out, unsigned start, unsigned period);
// The XOR of the first n bytes of that ramp.
std::uint8_t RampXor(unsigned start, std::size_t n, unsigned period);

} // namespace corvousb
