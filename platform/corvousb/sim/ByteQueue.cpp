// The FIFO's byte queue and the ramp patterns the firmware fills it with.
#include "platform/corvousb/sim/ByteQueue.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace corvousb {

std::span<std::uint8_t> ByteQueue::extend(std::size_t n) {
    if (rampLength_ > 0) {
        const std::size_t ramp = rampLength_;
        rampLength_ = 0;
        FillRamp(extend(ramp), rampStart_, 256);
    }
    if (tail_ + n > capacity_) {
        const std::size_t used = size();
        if (used + n <= capacity_ && head_ > 0) {
            std::memmove(bytes_.get(), bytes_.get() + head_, used);
        } else {
            const std::size_t capacity = std::max(capacity_ * 2, used + n);
            auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
            if (used > 0) std::memcpy(grown.get(), bytes_.get() + head_, used);
            bytes_ = std::move(grown);
            capacity_ = capacity;
        }
        head_ = 0;
        tail_ = used;
    }
    const std::span<std::uint8_t> room(bytes_.get() + tail_, n);
    tail_ += n;
    return room;
}

void ByteQueue::push(std::span<const std::uint8_t> data) {
    if (!data.empty()) std::memcpy(extend(data.size()).data(), data.data(), data.size());
}

void ByteQueue::pushRamp(unsigned start, std::size_t n) {
    if (rampLength_ > 0) extend(0);
    rampStart_ = start;
    rampLength_ = n;
}

std::size_t ByteQueue::pop(std::span<std::uint8_t> out) {
    const std::size_t n = std::min(out.size(), tail_ - head_);
    if (n > 0) std::memcpy(out.data(), bytes_.get() + head_, n);
    head_ += n;
    if (head_ == tail_) head_ = tail_ = 0;
    const std::size_t ramp = std::min(out.size() - n, rampLength_);
    FillRamp(out.subspan(n, ramp), rampStart_, 256);
    rampStart_ = static_cast<unsigned>((rampStart_ + ramp) % 256);
    rampLength_ -= ramp;
    return n + ramp;
}

namespace {

// A ramp long enough that any start within the first period is followed by kRampChunk bytes.
constexpr std::size_t kRampChunk = 4096;

struct Ramp {
    std::array<std::uint8_t, kRampChunk + 256> bytes{};
    std::array<std::uint8_t, 513> prefixXor{}; // XOR of bytes[0..k)

    explicit Ramp(unsigned period) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i % period);
        for (std::size_t i = 0; i + 1 < prefixXor.size(); ++i)
            prefixXor[i + 1] = prefixXor[i] ^ bytes[i];
    }
};

const Ramp& RampOf(unsigned period) {
    static const Ramp ramp128(128), ramp256(256);
    return period == 128 ? ramp128 : ramp256;
}

} // namespace

// Copied from the table in chunks that are a multiple of the period, so each starts where the
// ramp stands.
void FillRamp(std::span<std::uint8_t> out, unsigned start, unsigned period) {
    const std::uint8_t* from = RampOf(period).bytes.data() + start % (period == 128 ? 128 : 256);
    for (std::size_t done = 0; done < out.size(); done += kRampChunk) {
        std::size_t n = std::min(kRampChunk, out.size() - done);
        // Hides the bound of n, or GCC inlines the copy as "rep movsq", several times slower
        // than the library's memcpy here.
        asm("" : "+r"(n));
        std::memcpy(out.data() + done, from, n);
    }
}

// A whole period XORs to 0 (the period is a multiple of 4), so only the last part counts.
std::uint8_t RampXor(unsigned start, std::size_t n, unsigned period) {
    const Ramp& ramp = RampOf(period);
    const std::size_t from = start % period;
    return ramp.prefixXor[from + n % period] ^ ramp.prefixXor[from];
}

} // namespace corvousb
