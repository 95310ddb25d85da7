// Checks the payload of each frame in a block of the framed stream against the stream source's
// payload rule (platform/corvousb/protocol/Frame.h). Header, trailer and lost-frame counts are
// the library's; bytes that are not a whole frame are left to them.
#pragma once

#include "check/CheckTally.h"

namespace check {

// The payloads of the whole frames in `block`; offsets from its start.
CheckTally CheckFramePayloads(std::span<const std::uint8_t> block);

} // namespace check
