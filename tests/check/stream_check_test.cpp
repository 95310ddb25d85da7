// The stream checker: lock, check, re-lock.
#include "check/StreamChecker.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<std::uint8_t> Stream(int order, std::size_t n) {
    std::vector<std::uint8_t> b(n);
    check::PrbsGenerator(order).fill(b);
    return b;
}

} // namespace

// Fails when the checker does not lock at once on a clean stream of each order, miscounts it,
// or loses its place between blocks.
TEST(StreamCheck, CleanStreamInBlocks) {
    for (int order : check::kPrbsOrders) {
        const auto s = Stream(order, 20000);
        check::StreamChecker checker(order);
        check::CheckTally total;
        for (std::size_t at = 0; at < s.size(); at += 5000)
            total.add(checker.check(std::span(s).subspan(at, 5000)), at);
        EXPECT_EQ(std::tuple(total.clean(), total.compared, total.unchecked),
                  std::tuple(true, 20000u, 0u))
            << order;
    }
    // Fails when the lock does not skip leading junk, a flipped bit is not one wrong byte at its
    // offset, a dropped byte and a gap are not each one re-lock without wrong bytes, or a stream
    // without the sequence is taken for one.
    auto s = Stream(31, 10000);
    s.insert(s.begin(), {0x00, 0x12, 0x34}); // the read began mid-stream: junk first
    s[5003] ^= 0x01;
    check::StreamChecker checker(31);
    auto t = checker.check(s);
    EXPECT_EQ(std::tuple(t.unchecked, t.wrongBytes, t.wrongBits, t.first->offset, t.relocks),
              std::tuple(3u, 1u, 1u, 5003u, 0u));
    auto slipped = Stream(31, 10000);
    slipped.erase(slipped.begin() + 4000);                         // a dropped byte
    slipped.erase(slipped.begin() + 7000, slipped.begin() + 7500); // a gap
    check::StreamChecker second(31);
    t = second.check(slipped);
    EXPECT_EQ(std::tuple(t.relocks, t.wrongBytes, t.compared + t.unchecked),
              std::tuple(2u, 0u, slipped.size()));
    // A stream without the sequence is not taken for one.
    t = check::StreamChecker(31).check(Stream(23, 3000));
    EXPECT_EQ(std::tuple(t.everLocked, t.unchecked), std::tuple(false, 3000u));
}
