// The FIFO's byte queue and the ramp patterns the firmware fills it with.
#include "platform/corvousb/sim/ByteQueue.h"

#include <algorithm>
#include <cstring>

namespace corvousb {

std::span<std::uint8_t> ByteQueue::extend(std::size_t n) {
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

std::size_t ByteQueue::pop(std::span<std::uint8_t> out) {
    const std::size_t n = std::min(out.size(), size());
    if (n > 0) std::memcpy(out.data(), bytes_.get() + head_, n);
    head_ += n;
    if (head_ == tail_) clear();
    return n;
}

// One period is written byte by byte, then the filled part is doubled with memcpy: the ramp
// repeats every period, and every copied length is a multiple of it.
void FillRamp(std::span<std::uint8_t> out, unsigned start, unsigned period) {
    const std::size_t first = std::min<std::size_t>(period, out.size());
    for (std::size_t i = 0; i < first; ++i)
        out[i] = static_cast<std::uint8_t>((start + i) % period);
    for (std::size_t done = first; done < out.size();) {
        const std::size_t n = std::min(done, out.size() - done);
        std::memcpy(out.data() + done, out.data(), n);
        done += n;
    }
}

// A whole period XORs to 0 (the period is a multiple of 4), so only the last part counts.
std::uint8_t RampXor(unsigned start, std::size_t n, unsigned period) {
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < n % period; ++i)
        x ^= static_cast<std::uint8_t>((start + i) % period);
    return x;
}

} // namespace corvousb
