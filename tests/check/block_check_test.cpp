// Block comparison, frame payloads and the report lines.
#include "check/CheckReport.h"
#include "check/PayloadChecker.h"
#include "check/Prbs.h"
#include "platform/corvousb/protocol/Frame.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

// Fails when a fault is not found at its exact offset, bytes or bits are miscounted, or a short
// read is compared beyond its end.
TEST(BlockCompare, EachFaultAtItsOffset) {
    std::vector<std::uint8_t> written(4096);
    check::PrbsGenerator(31).fill(written);
    auto read = written;
    read[500] ^= 0x10;
    read[1000] ^= 0x01, read[1001] ^= 0x03, read[1002] ^= 0x80;
    const auto t = check::CompareBlocks(written, read);
    ASSERT_TRUE(t.first);
    EXPECT_EQ(std::tuple(t.wrongBytes, t.wrongBits, t.first->offset, t.first->actual),
              std::tuple(4u, 5u, 500u, read[500]));
    EXPECT_TRUE(check::CompareBlocks(written, written).clean());
    read.resize(299);
    EXPECT_EQ(check::CompareBlocks(written, read).compared, 299u);
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
    // The expected byte: (127 + 4) mod 128.
    EXPECT_EQ(std::tuple(t.frames, t.compared, t.wrongBits, t.first->offset, t.first->expected),
              std::tuple(3u, 60u, 2u, 42u, 3));
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
    t = check::CheckTally{100, 0, 0, std::nullopt, 0, 2, 2, 3, true}; // frames 2, re-locks 2
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::Payload, "Verify total")[0],
              "Verify total: 100 bytes compared in 2 frames, no error");
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::Stream, "Verify", "PRBS-7"),
              (std::vector<std::string>{"Verify: 100 bytes compared, no error",
                                        "Verify: 2 re-locks on PRBS-7, 3 bytes unchecked"}));
    t.everLocked = false;
    EXPECT_EQ(check::ReportLines(t, check::CheckKind::Stream, "Verify", "PRBS-7"),
              std::vector<std::string>{"Verify: no PRBS-7 sequence found in 3 bytes"});
}
