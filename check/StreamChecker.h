// Checks a byte stream that should carry a known pseudo-random sequence at an unknown phase.
//
// Unlocked, the checker takes the first bytes it sees as the state of the sequence and locks
// when the next bytes follow from them (kLockBytes in all). Locked, it compares every byte with
// the sequence. kSlipBytes wrong bytes before kSlipBytes right ones in a row mean the stream
// slipped (bytes lost or added): they are not counted as errors, and the checker locks again from
// the first of them, which counts as a re-lock. Bytes passed while unlocked are counted as
// unchecked.
#pragma once

#include "check/CheckTally.h"
#include "check/Prbs.h"

#include <vector>

namespace check {

inline constexpr std::size_t kLockBytes = 12;
inline constexpr std::size_t kSlipBytes = 8;

class StreamChecker {
  public:
    explicit StreamChecker(int order) : order_(order), generator_(order) {}

    // Checks the next block of the stream; the tally of this block alone, offsets from its start.
    CheckTally check(std::span<const std::uint8_t> block);

  private:
    // Tries to lock at `at`; true when locked, with the lock bytes counted as compared.
    bool lock(std::span<const std::uint8_t> block, std::size_t at, CheckTally& t);
    // Compares from `at` while locked; the position where the lock was lost, or the block's end.
    std::size_t compare(std::span<const std::uint8_t> block, std::size_t at, CheckTally& t);

    int order_;
    bool locked_ = false;
    bool everLocked_ = false;
    PrbsGenerator generator_;
    std::vector<std::uint8_t> expected_;
};

} // namespace check
