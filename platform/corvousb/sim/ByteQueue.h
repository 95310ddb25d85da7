// Bytes waiting in one direction of the simulated FIFO: a growable buffer that is filled in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace corvousb {

class ByteQueue {
  public:
    std::size_t size() const { return tail_ - head_; }
    // Appends n bytes and returns them for the caller to fill (their content is unspecified).
    std::span<std::uint8_t> extend(std::size_t n);
    void push(std::span<const std::uint8_t> data);
    // Moves up to out.size() bytes from the front into out; the count moved.
    std::size_t pop(std::span<std::uint8_t> out);
    void clear() { head_ = tail_ = 0; }

  private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t capacity_ = 0, head_ = 0, tail_ = 0;
};

// Fills out with the ramp out[i] = (start + i) mod period; period is 128 or 256.
void FillRamp(std::span<std::uint8_t> out, unsigned start, unsigned period);
// The XOR of the first n bytes of that ramp.
std::uint8_t RampXor(unsigned start, std::size_t n, unsigned period);

} // namespace corvousb
