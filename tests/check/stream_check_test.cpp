// The stream checker: lock, check, re-lock.
#include "check/StreamChecker.h"

#include <gtest/gtest.h>

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
        EXPECT_TRUE(total.clean()) << order;
        EXPECT_EQ(total.compared, 20000u) << order;
        EXPECT_EQ(total.unchecked, 0u) << order;
    }
}

// Fails when the lock does not skip leading junk, a flipped bit is not one wrong byte at its
// offset, or a dropped byte and a gap are not each one re-lock without wrong bytes.
TEST(StreamCheck, LockErrorsAndRelocks) {
    auto s = Stream(31, 10000);
    s.insert(s.begin(), {0x00, 0x12, 0x34}); // the read began mid-stream: junk first
    s[5003] ^= 0x01;
    check::StreamChecker checker(31);
    auto t = checker.check(s);
    EXPECT_EQ(t.unchecked, 3u);
    EXPECT_EQ(t.wrongBytes, 1u);
    EXPECT_EQ(t.wrongBits, 1u);
    EXPECT_EQ(t.first->offset, 5003u);
    EXPECT_EQ(t.relocks, 0u);

    auto slipped = Stream(31, 10000);
    slipped.erase(slipped.begin() + 4000);                         // a dropped byte
    slipped.erase(slipped.begin() + 7000, slipped.begin() + 7500); // a gap
    check::StreamChecker second(31);
    t = second.check(slipped);
    EXPECT_EQ(t.relocks, 2u);
    EXPECT_EQ(t.wrongBytes, 0u);
    EXPECT_EQ(t.compared + t.unchecked, slipped.size());
}

// Fails when a stream without the sequence is taken for one.
TEST(StreamCheck, NoSequenceNoLock) {
    const auto other = Stream(23, 3000);
    const auto t = check::StreamChecker(31).check(other);
    EXPECT_FALSE(t.everLocked);
    EXPECT_EQ(t.unchecked, 3000u);
}
