// Lock, check and re-lock on a pseudo-random stream.
#include "check/StreamChecker.h"

#include <algorithm>

namespace check {

namespace {
// Compared a chunk at a time so that a clean stream goes at the speed of the block comparison.
constexpr std::size_t kChunk = 4096;
} // namespace

bool StreamChecker::lock(std::span<const std::uint8_t> block, std::size_t at, CheckTally& t) {
    const auto bytes = block.subspan(at, kLockBytes);
    // An all-zero state is not a state of the sequence.
    const std::size_t stateBytes = static_cast<std::size_t>(order_ + 7) / 8;
    if (std::all_of(bytes.begin(), bytes.begin() + static_cast<long>(stateBytes),
                    [](std::uint8_t b) { return b == 0; }))
        return false;
    if (!FollowsSequence(order_, bytes)) return false;
    generator_ = PrbsGenerator(order_, bytes);
    std::uint8_t locked[kLockBytes];
    generator_.fill(locked); // the generator goes on after the lock bytes
    locked_ = true;
    if (everLocked_) ++t.relocks;
    everLocked_ = t.everLocked = true;
    t.compared += kLockBytes;
    return true;
}

std::size_t StreamChecker::compare(std::span<const std::uint8_t> block, std::size_t at,
                                   CheckTally& t) {
    // A stretch that begins with a wrong byte and ends after kSlipBytes right bytes in a row is
    // counted once it ends; kSlipBytes wrong bytes within it are a slip instead.
    bool suspect = false;
    std::size_t suspectStart = 0, rightInRow = 0;
    CheckTally pending;
    while (at < block.size()) {
        const std::size_t n = std::min(kChunk, block.size() - at);
        expected_.resize(n);
        generator_.fill(expected_);
        const auto got = block.subspan(at, n);
        if (!suspect && CompareBlocks(expected_, got).wrongBytes == 0) {
            t.compared += n;
            at += n;
            continue;
        }
        for (std::size_t i = 0; i < n; ++i, ++at) {
            const bool right = got[i] == expected_[i];
            if (!suspect && right) {
                ++t.compared;
                continue;
            }
            if (!suspect) {
                suspect = true;
                suspectStart = at;
            }
            pending.add(CompareBlocks(std::span(expected_).subspan(i, 1), got.subspan(i, 1), at),
                        0);
            rightInRow = right ? rightInRow + 1 : 0;
            if (pending.wrongBytes == kSlipBytes) {
                locked_ = false;
                return suspectStart;
            }
            if (rightInRow == kSlipBytes) {
                t.add(pending, 0);
                pending = CheckTally{};
                suspect = false;
            }
        }
    }
    t.add(pending, 0);
    return at;
}

CheckTally StreamChecker::check(std::span<const std::uint8_t> block) {
    CheckTally t;
    std::size_t at = 0;
    while (at < block.size()) {
        if (locked_) {
            at = compare(block, at, t);
            continue;
        }
        if (block.size() - at < kLockBytes) {
            t.unchecked += block.size() - at;
            break;
        }
        if (lock(block, at, t))
            at += kLockBytes;
        else {
            ++t.unchecked;
            ++at;
        }
    }
    t.everLocked = everLocked_;
    return t;
}

} // namespace check
