// Frame payloads against the payload rule.
#include "check/PayloadChecker.h"

#include "platform/corvousb/protocol/Frame.h"

#include <vector>

namespace check {

namespace {

bool FrameStartsAt(std::span<const std::uint8_t> b, std::size_t at, std::size_t& payload,
                   std::uint16_t& counter) {
    if (b.size() - at < corvousb::kFrameOverhead) return false;
    if (b[at] != 0xAA || b[at + 1] != 0xFF || b[at + 2] != 0xFF) return false;
    counter = static_cast<std::uint16_t>(b[at + 3] | b[at + 4] << 8);
    payload = static_cast<std::size_t>(b[at + 5] | b[at + 6] << 8);
    return payload >= 1 && payload <= corvousb::kMaxPayload &&
           b.size() - at - corvousb::kFrameOverhead >= payload;
}

} // namespace

CheckTally CheckFramePayloads(std::span<const std::uint8_t> block) {
    CheckTally t;
    std::vector<std::uint8_t> expected;
    std::size_t at = 0;
    while (at < block.size()) {
        std::size_t payload = 0;
        std::uint16_t counter = 0;
        if (!FrameStartsAt(block, at, payload, counter)) {
            ++at;
            continue;
        }
        expected.resize(payload);
        for (std::size_t i = 0; i < payload; ++i)
            expected[i] = static_cast<std::uint8_t>((counter + i) % corvousb::kPayloadPeriod);
        const std::size_t from = at + corvousb::kFrameHeaderSize;
        t.add(CompareBlocks(expected, block.subspan(from, payload), from), 0);
        ++t.frames;
        at += payload + corvousb::kFrameOverhead;
    }
    return t;
}

} // namespace check
