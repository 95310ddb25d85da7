// Frame building and the frame checker of the framed stream.
#include "platform/corvousb/protocol/Frame.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace corvousb {

namespace {

constexpr std::uint8_t kMarker[3] = {0xAA, 0xFF, 0xFF};

// Sixty-four bytes at a time: the checker runs over every byte an extended read receives.
std::uint8_t PayloadXor(std::span<const std::uint8_t> payload) {
    std::size_t i = 0;
    std::uint64_t all = 0;
#ifdef __SSE2__
    __m128i a = _mm_setzero_si128(), b = a, c = a, d = a;
    for (; i + 64 <= payload.size(); i += 64) {
        const auto* p = reinterpret_cast<const __m128i*>(payload.data() + i);
        a = _mm_xor_si128(a, _mm_loadu_si128(p));
        b = _mm_xor_si128(b, _mm_loadu_si128(p + 1));
        c = _mm_xor_si128(c, _mm_loadu_si128(p + 2));
        d = _mm_xor_si128(d, _mm_loadu_si128(p + 3));
    }
    const __m128i folded = _mm_xor_si128(_mm_xor_si128(a, b), _mm_xor_si128(c, d));
    std::uint64_t halves[2];
    std::memcpy(halves, &folded, sizeof halves);
    all = halves[0] ^ halves[1];
#endif
    for (; i + 8 <= payload.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, payload.data() + i, 8);
        all ^= word;
    }
    std::uint8_t x = 0;
    for (int shift = 0; shift < 64; shift += 8)
        x ^= static_cast<std::uint8_t>(all >> shift);
    for (; i < payload.size(); ++i)
        x ^= payload[i];
    return x;
}

// True when the bytes from `pos` on are the frame marker or the start of it.
bool StartsLikeFrame(std::span<const std::uint8_t> b, std::size_t pos) {
    std::size_t n = std::min<std::size_t>(3, b.size() - pos);
    return std::equal(kMarker, kMarker + n, b.begin() + static_cast<std::ptrdiff_t>(pos));
}

} // namespace

void WriteFrameHeader(std::span<std::uint8_t> frame, std::uint16_t counter, std::size_t payload) {
    std::copy(kMarker, kMarker + 3, frame.begin());
    frame[3] = static_cast<std::uint8_t>(counter & 0xFF);
    frame[4] = static_cast<std::uint8_t>(counter >> 8);
    frame[5] = static_cast<std::uint8_t>(payload & 0xFF);
    frame[6] = static_cast<std::uint8_t>((payload >> 8) & 0xFF);
}

void WriteFrameTrailer(std::span<std::uint8_t> frame, std::uint8_t payloadXor) {
    frame[frame.size() - 2] = kTrailerMark;
    frame[frame.size() - 1] = payloadXor;
}

std::vector<std::uint8_t> MakeFrame(std::uint16_t counter, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> f(payload.size() + kFrameOverhead);
    WriteFrameHeader(f, counter, payload.size());
    std::copy(payload.begin(), payload.end(), f.begin() + kFrameHeaderSize);
    WriteFrameTrailer(f, PayloadXor(payload));
    return f;
}

std::size_t FrameStream::scan(std::span<const std::uint8_t> b, FrameScan& scan,
                              FrameCounters& counters) {
    const std::size_t n = b.size();
    std::size_t pos = 0;
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
        if (n - pos < kFrameHeaderSize) return pos;
        const std::size_t len = b[pos + 5] | (std::size_t{b[pos + 6]} << 8);
        if (len == 0 || len > kMaxPayload) {
            junk();
            continue;
        }
        const std::size_t size = kFrameOverhead + len;
        if (n - pos < size) return pos;
        const auto counter = static_cast<std::uint16_t>(b[pos + 3] | (b[pos + 4] << 8));
        const std::size_t trailer = pos + kFrameHeaderSize + len;
        const auto payload = b.subspan(pos + kFrameHeaderSize, len);
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
    return n;
}

FrameScan FrameStream::push(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out,
                            FrameCounters& counters) {
    kept_.insert(kept_.end(), bytes.begin(), bytes.end());
    FrameScan result;
    const std::size_t keepFrom = scan(kept_, result, counters);
    out.insert(out.end(), kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(keepFrom));
    result.delivered = keepFrom;
    kept_.erase(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(keepFrom));
    return result;
}

FrameScan FrameStream::scanBlock(std::span<const std::uint8_t> block, FrameCounters& counters) {
    FrameScan result;
    const std::size_t keepFrom = scan(block, result, counters);
    result.delivered = keepFrom;
    kept_.assign(block.begin() + static_cast<std::ptrdiff_t>(keepFrom), block.end());
    return result;
}

void FrameStream::copyKept(std::span<std::uint8_t> out) const {
    std::copy(kept_.begin(), kept_.end(), out.begin());
}

} // namespace corvousb
