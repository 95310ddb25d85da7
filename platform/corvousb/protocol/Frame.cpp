// Frame building and the frame checker of the framed stream.
#include "platform/corvousb/protocol/Frame.h"

#include <algorithm>

namespace corvousb {

namespace {

constexpr std::uint8_t kMarker[3] = {0xAA, 0xFF, 0xFF};

std::uint8_t PayloadXor(std::span<const std::uint8_t> payload) {
    std::uint8_t x = 0;
    for (std::uint8_t b : payload)
        x ^= b;
    return x;
}

// True when the bytes from `pos` on are the frame marker or the start of it.
bool StartsLikeFrame(const std::vector<std::uint8_t>& b, std::size_t pos) {
    std::size_t n = std::min<std::size_t>(3, b.size() - pos);
    return std::equal(kMarker, kMarker + n, b.begin() + static_cast<std::ptrdiff_t>(pos));
}

} // namespace

std::vector<std::uint8_t> MakeFrame(std::uint16_t counter, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> f(kMarker, kMarker + 3);
    f.push_back(static_cast<std::uint8_t>(counter & 0xFF));
    f.push_back(static_cast<std::uint8_t>(counter >> 8));
    f.push_back(static_cast<std::uint8_t>(payload.size() & 0xFF));
    f.push_back(static_cast<std::uint8_t>((payload.size() >> 8) & 0xFF));
    f.insert(f.end(), payload.begin(), payload.end());
    f.push_back(kTrailerMark);
    f.push_back(PayloadXor(payload));
    return f;
}

FrameScan FrameStream::push(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out,
                            FrameCounters& counters) {
    kept_.insert(kept_.end(), bytes.begin(), bytes.end());
    const std::vector<std::uint8_t>& b = kept_;
    const std::size_t n = b.size();
    FrameScan scan;
    std::size_t pos = 0;
    std::size_t keepFrom = n;
    auto junk = [&] {
        if (!inJunk_) ++counters.headerErrors;
        inJunk_ = true;
        ++pos;
    };
    while (pos < n) {
        if (!StartsLikeFrame(b, pos)) {
            junk();
            continue;
        }
        if (n - pos < kFrameHeaderSize) {
            keepFrom = pos;
            break;
        }
        const std::size_t len = b[pos + 5] | (std::size_t{b[pos + 6]} << 8);
        if (len == 0 || len > kMaxPayload) {
            junk();
            continue;
        }
        const std::size_t size = kFrameOverhead + len;
        if (n - pos < size) {
            keepFrom = pos;
            break;
        }
        const auto counter = static_cast<std::uint16_t>(b[pos + 3] | (b[pos + 4] << 8));
        const std::size_t trailer = pos + kFrameHeaderSize + len;
        const auto payload = std::span(b).subspan(pos + kFrameHeaderSize, len);
        if (b[trailer] != kTrailerMark || b[trailer + 1] != PayloadXor(payload))
            ++counters.trailerErrors;
        if (expectKnown_) {
            const auto gap = static_cast<std::uint16_t>(counter - expected_);
            if (gap < 0x8000) counters.lostFrames += gap;
        }
        expected_ = static_cast<std::uint16_t>(counter + 1);
        expectKnown_ = true;
        if (scan.frames == 0) scan.firstCounter = counter;
        scan.lastCounter = counter;
        ++scan.frames;
        inJunk_ = false;
        pos += size;
    }
    out.insert(out.end(), b.begin(), b.begin() + static_cast<std::ptrdiff_t>(keepFrom));
    scan.delivered = keepFrom;
    kept_.erase(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(keepFrom));
    return scan;
}

} // namespace corvousb
