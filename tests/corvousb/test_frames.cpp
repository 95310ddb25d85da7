// Tests of the frame checker on hand-made blocks (the offline replay's USB_CheckFrames).
#include "CorvoUsbFixture.h"

namespace {

class FrameCheckTest : public CorvoUsbTest {
  protected:
    void SetUp() override {
        CorvoUsbTest::SetUp();
        ResetLostFrames();
        ResetFrameErrors();
        ResetTotalByteCount();
    }
    // Appends a frame with `counter` and a payload of `size` bytes.
    void Add(unsigned counter, std::size_t size = 16) {
        std::vector<unsigned char> payload(size);
        for (std::size_t i = 0; i < size; ++i)
            payload[i] = static_cast<unsigned char>(i * 3);
        const auto f = cu::MakeFrame(counter, payload);
        block.insert(block.end(), f.begin(), f.end());
    }
    int Check() { return USB_CheckFrames(block.data(), static_cast<int>(block.size())); }
    std::vector<unsigned char> block;
};

// Fails when the frame layout changes (other tools search the capture for AA FF FF).
TEST_F(FrameCheckTest, FrameLayoutIsMarkerCounterLengthPayloadTrailer) {
    const unsigned char payload[] = {0x01, 0x02, 0x04};
    EXPECT_EQ(cu::MakeFrame(0x1234, payload),
              (std::vector<unsigned char>{0xAA, 0xFF, 0xFF, 0x34, 0x12, 0x03, 0x00, 0x01, 0x02,
                                          0x04, 0x55, 0x07}));
}

// Fails when clean frames are miscounted or reported as errors.
TEST_F(FrameCheckTest, CleanBlockCountsEveryFrame) {
    for (unsigned c = 0; c < 10; ++c)
        Add(c);
    EXPECT_EQ(Check(), 10);
    EXPECT_EQ(GetLostFrames(), 0u);
    EXPECT_EQ(GetHeaderErrors(), 0u);
    EXPECT_EQ(GetTrailerErrors(), 0u);
    EXPECT_EQ(GetTotalByteCount(), block.size());
}

// Fails when a gap in the counter is not counted as lost frames, or a wrap counts as a gap.
TEST_F(FrameCheckTest, CounterGapsAreLostFramesAndWrappingIsNot) {
    Add(1);
    Add(2);
    Add(6); // 3, 4 and 5 missing
    Add(65534);
    Add(65535);
    Add(0);
    Add(1);
    EXPECT_EQ(Check(), 7);
    // 3 missing; 6 -> 65534 is a step back (a restart), not a loss.
    EXPECT_EQ(GetLostFrames(), 3u);
    ResetLostFrames();
    block.clear();
    Add(65535);
    Add(0);
    Add(1);
    EXPECT_EQ(Check(), 3);
    EXPECT_EQ(GetLostFrames(), 0u);
    block.clear();
    Add(0); // a step back restarts the count
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(GetLostFrames(), 0u);
}

// Fails when a broken header is not one header error, or its frame is not lost.
TEST_F(FrameCheckTest, BadHeaderIsOneHeaderErrorAndALostFrame) {
    Add(0);
    const std::size_t broken = block.size();
    Add(1);
    Add(2);
    block[broken] = 0x00;
    EXPECT_EQ(Check(), 2);
    EXPECT_EQ(GetHeaderErrors(), 1u);
    EXPECT_EQ(GetLostFrames(), 1u);
    EXPECT_EQ(GetTrailerErrors(), 0u);

    block.assign({0xAA, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00}); // zero length is no header
    Add(3);
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(GetHeaderErrors(), 2u);
}

// Fails when a bad trailer is not counted, or the frame after it is lost.
TEST_F(FrameCheckTest, BadTrailerIsATrailerErrorButStillAFrame) {
    Add(0);
    Add(1);
    block[block.size() - 1] ^= 0x01; // checksum of frame 1
    Add(2);
    block[block.size() - 2] = 0x00; // trailer mark of frame 2
    Add(3);
    EXPECT_EQ(Check(), 4);
    EXPECT_EQ(GetTrailerErrors(), 2u);
    EXPECT_EQ(GetHeaderErrors(), 0u);
    EXPECT_EQ(GetLostFrames(), 0u);
}

// Fails when a frame split across two calls is lost, counted twice, or seen as an error.
TEST_F(FrameCheckTest, FrameSplitAcrossTwoCallsCountsOnce) {
    Add(0);
    Add(1);
    Add(2);
    for (std::size_t cut : {1u, 2u, 3u, 5u, 7u, 20u, 24u}) {
        ResetLostFrames();
        ResetFrameErrors();
        const std::size_t split = 25 + cut; // inside frame 1 (frames are 25 bytes)
        EXPECT_EQ(USB_CheckFrames(block.data(), static_cast<int>(split)), 1) << cut;
        EXPECT_EQ(USB_CheckFrames(block.data() + split, static_cast<int>(block.size() - split)), 2)
            << cut;
        EXPECT_EQ(GetHeaderErrors(), 0u) << cut;
        EXPECT_EQ(GetLostFrames(), 0u) << cut;
    }
    EXPECT_EQ(USB_CheckFrames(block.data(), 0), 0);
    EXPECT_LT(USB_CheckFrames(block.data(), -1), 0);
}

// Fails when junk between frames is not one header error per run, or hides the next frame.
TEST_F(FrameCheckTest, JunkRunsAreOneHeaderErrorEach) {
    block.assign({0x01, 0xAA, 0x02, 0xAA, 0xFF});
    Add(0);
    block.insert(block.end(), {0x10, 0x20});
    Add(1);
    EXPECT_EQ(Check(), 2);
    EXPECT_EQ(GetHeaderErrors(), 2u);
    EXPECT_EQ(GetLostFrames(), 0u);
}

} // namespace
