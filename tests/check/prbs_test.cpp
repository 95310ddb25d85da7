// The pseudo-random sequences against their published properties.
#include "check/Prbs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(check::PrbsGenerator& g, std::size_t n) {
    std::vector<std::uint8_t> out(n);
    g.fill(out);
    return out;
}

bool Bit(const std::vector<std::uint8_t>& b, std::size_t k) {
    return (b[k / 8] >> (7 - k % 8)) & 1;
}

} // namespace

// Fails when a polynomial, the seed, the bit order or the word-at-a-time recurrence is wrong.
TEST(Prbs, FirstBytesFromTheDocumentedSeed) {
    const std::vector<std::pair<int, std::vector<std::uint8_t>>> cases = {
        {7, {0xFE, 0x04, 0x18, 0x51, 0xE4, 0x59, 0xD4, 0xFA}},
        {15, {0xFF, 0xFE, 0x00, 0x04}},
        {23, {0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x7C}},
        {31, {0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x00, 0x1C}},
    };
    for (const auto& [order, first] : cases) {
        check::PrbsGenerator g(order);
        EXPECT_EQ(Bytes(g, first.size()), first) << "PRBS-" << order;
    }
    // Fails when a sequence does not repeat after exactly 2^n - 1 bits (PRBS-7 and PRBS-15 in
    // full).
    for (int n : {7, 15}) {
        const std::size_t period = (std::size_t{1} << n) - 1;
        check::PrbsGenerator g(n);
        const auto b = Bytes(g, (2 * period + 7) / 8 + 8);
        for (std::size_t k = 0; k < period; ++k)
            ASSERT_EQ(Bit(b, k), Bit(b, k + period)) << "PRBS-" << n << " bit " << k;
    }
}

// Fails when blocks of odd sizes do not continue the sequence where the last one ended, or a
// generator started from bits of the stream does not continue it.
TEST(Prbs, ContinuesAcrossBlocksAndFromAnyPhase) {
    check::PrbsGenerator whole(31), pieces(31);
    const auto expected = Bytes(whole, 5000);
    std::vector<std::uint8_t> got;
    for (std::size_t n : {3, 8, 1, 13, 64, 0, 7, 2000, 5, 2899}) {
        const auto part = Bytes(pieces, n);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, expected);
    check::PrbsGenerator resumed(31, std::span(expected).subspan(101, 4));
    EXPECT_EQ(Bytes(resumed, 4899), std::vector(expected.begin() + 101, expected.end()));
}
