// Block comparison, frame payloads and the report lines.
#include "check/CheckReport.h"
#include "check/PayloadChecker.h"
#include "check/Prbs.h"
#include "platform/corvousb/protocol/Frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

std::vector<std::uint8_t> Sequence(std::size_t n) {
    std::vector<std::uint8_t> b(n);
    check::PrbsGenerator(31).fill(b);
    return b;
}

} // namespace

// Fails when a fault is not found at its exact offset, or bytes or bits are miscounted.
TEST(BlockCompare, EachFaultAtItsOffset) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> fault;
        std::uint64_t wrongBytes, wrongBits, offset;
    };
    const auto written = Sequence(4096);
    const Case cases[] = {
        {"flipped bit", [](auto& b) { b[500] ^= 0x10; }, 1, 1, 500},
        {"swapped 16-bit words",
         [](auto& b) { std::swap_ranges(b.begin() + 64, b.begin() + 66, b.begin() + 66); }, 0, 0,
         64},
        {"burst", [](auto& b) { std::fill(b.begin() + 1000, b.begin() + 1003, 0x00); }, 3, 0, 1000},
    };
    for (const auto& c : cases) {
        auto read = written;
        c.fault(read);
        const auto t = check::CompareBlocks(written, read);
        std::uint64_t bits = 0, bytes = 0;
        for (std::size_t i = 0; i < read.size(); ++i) {
            bytes += read[i] != written[i];
            bits += static_cast<unsigned>(std::popcount(unsigned(read[i] ^ written[i])));
        }
        // The sequence's own bytes decide the counts of the swap and the burst.
        EXPECT_EQ(t.wrongBytes, c.wrongBytes ? c.wrongBytes : bytes) << c.name;
        EXPECT_EQ(t.wrongBits, c.wrongBits ? c.wrongBits : bits) << c.name;
        ASSERT_TRUE(t.first) << c.name;
        EXPECT_EQ(t.first->offset, c.offset) << c.name;
        EXPECT_EQ(t.first->actual, read[c.offset]) << c.name;
    }
    EXPECT_TRUE(check::CompareBlocks(written, written).clean());
}

// Fails when a dropped byte is not found where it was dropped.
TEST(BlockCompare, DroppedByteAtItsOffset) {
    const auto written = Sequence(300);
    auto read = written;
    read.erase(read.begin() + 77);
    const auto t = check::CompareBlocks(written, read);
    // Where the shifted bytes first differ: at the drop, unless a byte equals its neighbour.
    std::size_t at = 77;
    while (read[at] == written[at])
        ++at;
    EXPECT_EQ(t.first->offset, at);
    EXPECT_EQ(t.compared, 299u);
    EXPECT_GT(t.wrongBytes, 200u);
}

// Fails when a payload error is missed or misplaced, or bytes outside frames are compared.
TEST(PayloadCheck, FramesAgainstThePayloadRule) {
    std::vector<std::uint8_t> block = {0x01, 0x02}; // junk before the frames
    for (std::uint16_t counter : {126, 127, 0}) {
        std::vector<std::uint8_t> payload(20);
        for (std::size_t i = 0; i < payload.size(); ++i)
            payload[i] = static_cast<std::uint8_t>((counter + i) % corvousb::kPayloadPeriod);
        const auto f = corvousb::MakeFrame(counter, payload);
        block.insert(block.end(), f.begin(), f.end());
    }
    EXPECT_TRUE(check::CheckFramePayloads(block).clean());
    block[2 + 29 + 7 + 4] ^= 0x81; // the second frame's fifth payload byte
    const auto t = check::CheckFramePayloads(block);
    EXPECT_EQ(t.frames, 3u);
    EXPECT_EQ(t.compared, 60u);
    EXPECT_EQ(t.wrongBits, 2u);
    EXPECT_EQ(t.first->offset, 42u);
    EXPECT_EQ(t.first->expected, 3); // (127 + 4) mod 128
}

// Fails when a report line changes its wording or figures.
TEST(CheckReport, LinesOfEachKind) {
    check::CheckTally t;
    t.compared = 262144;
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::ReadBack, "Verify"),
              std::vector<std::string>{"Verify: 262144 bytes compared, no error"});
    t.wrongBytes = 3;
    t.wrongBits = 5;
    t.first = check::FirstError{0x1F4, 0x5A, 0x5B};
    t.missing = 16;
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::ReadBack, "Verify"),
              (std::vector<std::string>{
                  "Verify: 3 bytes wrong of 262144 (5 bits, bit error rate 2.4e-06); first at "
                  "offset 0x0001F4: wrote 5A, read 5B",
                  "Verify: 16 bytes of 262160 not read back"}));
    t = {};
    t.compared = 100;
    t.frames = 2;
    t.relocks = 2;
    t.unchecked = 3;
    t.everLocked = true;
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::Payload, "Verify total")[0],
              "Verify total: 100 bytes compared in 2 frames, no error");
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::Stream, "Verify", "PRBS-7"),
              (std::vector<std::string>{"Verify: 100 bytes compared, no error",
                                        "Verify: 2 re-locks on PRBS-7, 3 bytes unchecked"}));
    t.everLocked = false;
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::Stream, "Verify", "PRBS-7"),
              std::vector<std::string>{"Verify: no PRBS-7 sequence found in 3 bytes"});
}
