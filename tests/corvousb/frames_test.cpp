// Tests of the frame checker on hand-made blocks (the offline replay's USB_CheckFrames).
#include "CorvoUsbFixture.h"
#include "platform/corvousb/protocol/Command.h"

#include <initializer_list>

namespace {

using Bytes = std::vector<unsigned char>;

// Frames with these counters, each with a payload of 16 bytes (25 bytes a frame).
Bytes Frames(std::initializer_list<unsigned> counters) {
    Bytes payload(16), block;
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<unsigned char>(i * 3);
    for (unsigned counter : counters) {
        const auto f = cu::MakeFrame(counter, payload);
        block.insert(block.end(), f.begin(), f.end());
    }
    return block;
}
// The block with the bytes at these offsets inverted.
Bytes Flip(Bytes block, std::initializer_list<std::size_t> offsets) {
    for (std::size_t at : offsets)
        block[at] ^= 0xFF;
    return block;
}
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Puts the frame counters and the offline checker back to the start.
void Reset() {
    ResetLostFrames();
    ResetFrameErrors();
    ResetTotalByteCount();
}

using FrameCheckTest = CorvoUsbTest;

// Fails when a command's bytes on the wire change: start byte, kind, sub-address, the count low
// byte first, and the XOR of the seven bytes before it (a board's firmware checks them).
TEST(CommandBytes, ReadCommandOnTheWire) {
    EXPECT_EQ(corvousb::EncodeCommand(corvousb::CommandKind::Read, -3, 0x01020304),
              (std::vector<std::uint8_t>{0xC5, 'R', 0xFD, 0x04, 0x03, 0x02, 0x01, 0x6E}));
}

// Fails when clean frames are miscounted, a counter gap is not counted as lost frames, a wrap or
// a restart counts as a gap, a broken header is not one header error and a lost frame, a bad
// trailer is not counted or costs the frame, or a run of junk is not one header error; or the
// frame layout changes (other tools search the capture for AA FF FF).
TEST_F(FrameCheckTest, BlocksAreCountedAsFramesLossesAndErrors) {
    const unsigned char payload[] = {0x01, 0x02, 0x04};
    EXPECT_EQ(cu::MakeFrame(0x1234, payload),
              (Bytes{0xAA, 0xFF, 0xFF, 0x34, 0x12, 0x03, 0x00, 0x01, 0x02, 0x04, 0x55, 0x07}));
    struct Case {
        const char* what;
        Bytes block;
        int frames;
        unsigned lost, header, trailer;
    };
    const Case cases[] = {
        {"clean", Frames({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 10, 0, 0, 0},
        {"gap, then a restart", Frames({1, 2, 6, 65534, 65535, 0, 1}), 7, 3, 0, 0},
        {"wrap, then a step back", Frames({65535, 0, 1, 0}), 4, 0, 0, 0},
        {"broken header", Flip(Frames({0, 1, 2}), {25}), 2, 1, 1, 0},
        {"zero length", Bytes{0xAA, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00} + Frames({3}), 1, 0, 1, 0},
        {"checksum and trailer mark", Flip(Frames({0, 1, 2, 3}), {49, 73}), 4, 0, 0, 2},
        {"junk runs",
         Bytes{0x01, 0xAA, 0x02, 0xAA, 0xFF} + Frames({0}) + Bytes{0x10, 0x20} + Frames({1}), 2, 0,
         2, 0},
    };
    for (const Case& c : cases) {
        Reset();
        const int n = USB_CheckFrames(c.block.data(), static_cast<int>(c.block.size()));
        EXPECT_EQ(std::tuple(n, GetLostFrames(), GetHeaderErrors(), GetTrailerErrors(),
                             GetTotalByteCount()),
                  std::tuple(c.frames, c.lost, c.header, c.trailer, c.block.size()))
            << c.what;
    }

    // Fails when a frame split across two calls is lost, counted twice, or seen as an error.
    const Bytes block = Frames({0, 1, 2});
    for (std::size_t cut : {1u, 2u, 3u, 5u, 7u, 20u, 24u}) {
        Reset();
        const std::size_t split = 25 + cut; // inside frame 1
        const int first = USB_CheckFrames(block.data(), static_cast<int>(split));
        const int rest =
            USB_CheckFrames(block.data() + split, static_cast<int>(block.size() - split));
        EXPECT_EQ(std::tuple(first, rest, GetHeaderErrors(), GetLostFrames()),
                  std::tuple(1, 2, 0u, 0u))
            << cut;
    }
    EXPECT_EQ(USB_CheckFrames(block.data(), 0), 0);
    EXPECT_LT(USB_CheckFrames(block.data(), -1), 0);
}

} // namespace
