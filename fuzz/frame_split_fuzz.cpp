// libFuzzer harness: the frame checker fed one stream in pieces must count exactly what it counts
// when fed the whole stream at once.
//
// Input: one byte n (number of cuts, up to 15), n two-byte little-endian cut offsets, then the
// stream.
#include "platform/corvousb/protocol/Frame.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

bool SameCounters(const corvousb::FrameCounters& a, const corvousb::FrameCounters& b) {
    return a.lostFrames == b.lostFrames && a.headerErrors == b.headerErrors &&
           a.trailerErrors == b.trailerErrors;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::size_t cutCount = std::min<std::size_t>(data[0] & 0x0F, (size - 1) / 2);
    std::span<const std::uint8_t> input(data + 1, size - 1);
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < cutCount; ++i)
        cuts.push_back(input[2 * i] | (std::size_t{input[2 * i + 1]} << 8));
    const auto stream = input.subspan(2 * cutCount);
    for (std::size_t& cut : cuts)
        cut = std::min(cut, stream.size());
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(stream.size());

    corvousb::FrameStream whole;
    corvousb::FrameCounters wholeCounters;
    std::vector<std::uint8_t> wholeOut;
    const std::size_t wholeFrames = whole.push(stream, wholeOut, wholeCounters).frames;

    corvousb::FrameStream split;
    corvousb::FrameCounters splitCounters;
    std::vector<std::uint8_t> splitOut;
    std::size_t splitFrames = 0, from = 0;
    for (const std::size_t cut : cuts) {
        splitFrames += split.push(stream.subspan(from, cut - from), splitOut, splitCounters).frames;
        from = cut;
    }
    if (splitFrames != wholeFrames || !SameCounters(splitCounters, wholeCounters) ||
        splitOut != wholeOut || split.keptBytes() != whole.keptBytes())
        abort();
    return 0;
}
