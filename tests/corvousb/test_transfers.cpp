// Tests of sub-address transfers, raw FIFO loopback and extended (framed) reads on the
// simulated board.
#include "CorvoUsbFixture.h"

#include <unistd.h>

#include <numeric>

namespace {

std::vector<unsigned char> Sequence(std::size_t n, unsigned start) {
    std::vector<unsigned char> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<unsigned char>(start + i * 7);
    return v;
}

// Fails when a block written to a sub-address does not read back unchanged, or a fresh
// sub-address does not give the full count of its pattern.
TEST_F(CorvoUsbTest, SubAddressWriteReadsBackAndFreshMemoryGivesItsPattern) {
    const int h = OpenFirst();
    auto block = Sequence(1000, 3);
    ASSERT_EQ(UsbWrt(h, -3, block.data(), 1000), 1000);
    std::vector<unsigned char> back(1000);
    ASSERT_EQ(UsbRd(h, -3, back.data(), 1000), 1000);
    EXPECT_EQ(back, block);

    std::vector<unsigned char> fresh(300);
    ASSERT_EQ(UsbRd(h, 5, fresh.data(), 300), 300);
    for (std::size_t i = 0; i < fresh.size(); ++i)
        ASSERT_EQ(fresh[i], static_cast<unsigned char>(i + 5)) << i;

    unsigned char b = 0;
    for (unsigned char v : {0x11, 0x22, 0x33}) {
        b = v;
        EXPECT_EQ(UsbWrt(h, 7, &b, 1), 1);
    }
    unsigned char one = 0;
    EXPECT_EQ(UsbRd(h, 7, &one, 1), 1);
    EXPECT_EQ(one, 0x33);

    const std::size_t calls = cu::CallLog().size();
    EXPECT_EQ(UsbRd(h, 0, back.data(), 0), 0);
    EXPECT_EQ(UsbWrt(h, 0, nullptr, 0), 0);
    EXPECT_EQ(cu::CallLog().size(), calls + 2);
    EXPECT_EQ(cu::Board(0).receiveQueue, 0u);
}

// Fails when the raw FIFO does not loop back what was written, or an empty read is an error.
TEST_F(CorvoUsbTest, RawFifoLoopsBackWhatWasWritten) {
    const int h = OpenFirst();
    auto block = Sequence(100, 1);
    int written = -1, read = -1;
    ASSERT_EQ(USB_Write(h, block.data(), 100, &written), 1);
    EXPECT_EQ(written, 100);
    EXPECT_EQ(USB_GetStatus(h, 0), 100);
    EXPECT_EQ(USB_GetStatus(h, 1), 0);
    std::vector<unsigned char> back(100);
    ASSERT_EQ(USB_Read(h, back.data(), 100, &read), 1);
    EXPECT_EQ(read, 100);
    EXPECT_EQ(back, block);
    ASSERT_EQ(USB_Read(h, back.data(), 100, &read), 1);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_READ_TIMEOUT);

    ASSERT_EQ(USB_Write(h, block.data(), 50, &written), 1);
    EXPECT_EQ(USB_PurgeBuffers(h), 1);
    EXPECT_EQ(USB_GetStatus(h, 0), 0);
    EXPECT_EQ(cu::Board(0).purges, 1u);
}

// Fails when a board that refuses every byte is reported as written, or the code is not 21.
TEST_F(CorvoUsbTest, RefusedBytesFailEveryWriteWithWriteTimeout) {
    const int h = OpenFirst();
    cu::RefuseEveryByte(0);
    auto block = Sequence(8, 0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_LT(UsbWrt(h, 0, &block[i], 1), 0);
        EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_WRITE_TIMEOUT);
    }
    int written = -1;
    EXPECT_EQ(USB_Write(h, block.data(), 8, &written), 0);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_WRITE_TIMEOUT);
    EXPECT_LT(UsbRd(h, 0, block.data(), 8), 0);
    cu::RefuseEveryByte(0, false);
    EXPECT_EQ(UsbWrt(h, 0, block.data(), 8), 8);
}

// Fails when short reads lose or duplicate bytes, or stale bytes are taken for an answer.
TEST_F(CorvoUsbTest, ShortReadsReturnWhatCameAndStaleBytesAreDiscarded) {
    const int h = OpenFirst();
    cu::LimitReads(0, 10);
    auto block = Sequence(100, 9);
    ASSERT_EQ(UsbWrt(h, 2, block.data(), 100), 100);
    std::vector<unsigned char> back(100);
    EXPECT_EQ(UsbRd(h, 2, back.data(), 100), 10);
    EXPECT_TRUE(std::equal(back.begin(), back.begin() + 10, block.begin()));
    EXPECT_EQ(USB_GetStatus(h, 0), 90);

    UsbSetIntCheckingState(1);
    cu::LimitReads(0, 0);
    EXPECT_EQ(UsbRd(h, 2, back.data(), 100), 100);
    EXPECT_EQ(back, block);
    EXPECT_EQ(Captured::printed, "90 unexpected byte(s) from the device discarded\n");

    const unsigned char unasked[3] = {1, 2, 3};
    cu::SendUnasked(0, unasked);
    UsbSetIntCheckingState(0);
    Captured::printed.clear();
    EXPECT_EQ(UsbRd(h, 2, back.data(), 4), 4);
    EXPECT_TRUE(Captured::printed.empty());
    EXPECT_EQ(back[0], block[0]);

    int read = 0;
    cu::LimitReads(0, 10);
    int written = 0;
    USB_Write(h, block.data(), 25, &written);
    EXPECT_EQ(USB_Read(h, back.data(), 25, &read), 1);
    EXPECT_EQ(read, 10);
}

// Fails when a board that never answers makes a read report data or a hard error.
TEST_F(CorvoUsbTest, SilentBoardGivesReadTimeouts) {
    cu::ResetBus();
    cu::AddBoard({.answers = false});
    const int h = OpenFirst();
    unsigned char data[16];
    int frames = -1;
    EXPECT_EQ(UsbWrt(h, 0, data, 16), 16);
    EXPECT_EQ(UsbRd(h, 0, data, 16), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_READ_TIMEOUT);
    EXPECT_EQ(UsbRdEx(h, data, 16, &frames), 0);
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_READ_TIMEOUT);
}

// Fails when an extended read delivers a cut frame, miscounts frames, or the counter stalls.
TEST_F(CorvoUsbTest, ExtendedReadDeliversWholeFramesWithRisingCounters) {
    const int h = OpenFirst();
    ResetLostFrames();
    ResetFrameErrors();
    ResetTotalByteCount();
    std::vector<unsigned char> buffer(32768);
    int frames = 0;
    const int frameSize = 512 + 9;
    ASSERT_EQ(UsbRdEx(h, buffer.data(), 32768, &frames), 62 * frameSize);
    EXPECT_EQ(frames, 62);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_EQ(buffer[frameSize], 0xAA);
    EXPECT_EQ(buffer[frameSize + 3], 1); // counter of the second frame
    ASSERT_EQ(UsbRdEx(h, buffer.data(), 32768, &frames), 62 * frameSize);
    EXPECT_EQ(buffer[3], 62);
    EXPECT_EQ(GetLostFrames(), 0u);
    EXPECT_EQ(GetHeaderErrors(), 0u);
    EXPECT_EQ(GetTrailerErrors(), 0u);
    EXPECT_EQ(GetTotalByteCount(), 2u * 62 * frameSize);
    EXPECT_EQ(cu::Board(0).framesSent, 124u);

    // Smaller than one frame: the board sends one shorter frame.
    ASSERT_EQ(UsbRdEx(h, buffer.data(), 100, &frames), 100);
    EXPECT_EQ(frames, 1);
    EXPECT_LT(UsbRdEx(h, buffer.data(), 0, &frames), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_BAD_ARGUMENT);
}

// Fails when dropped, header-corrupted or trailer-corrupted frames are not counted as such.
TEST_F(CorvoUsbTest, ExtendedReadCountsInjectedFrameFaults) {
    const int h = OpenFirst();
    cu::DropFrames(0, 5, 3);
    cu::CorruptFrameHeaders(0, 20);
    cu::CorruptFrameTrailers(0, 30, 2);
    std::vector<unsigned char> buffer(32768);
    int frames = 0;
    ASSERT_GT(UsbRdEx(h, buffer.data(), 32768, &frames), 0);
    EXPECT_EQ(GetLostFrames(), 4u); // 3 dropped, 1 behind a broken header
    EXPECT_EQ(GetHeaderErrors(), 1u);
    EXPECT_EQ(GetTrailerErrors(), 2u);
    EXPECT_EQ(frames, 62 - 1);
}

// Fails when a fault dropping billions of frames makes one read of an untimed board walk them
// one by one (the alarm ends a read that does), or counts other than the counter's gap.
TEST_F(CorvoUsbTest, ExtendedReadSkipsAHugeDropAtOnce) {
    cu::ResetBus();
    cu::AddBoard({.timing = false});
    const int h = OpenFirst();
    const unsigned dropped = 4000000000u;
    cu::DropFrames(0, 5, dropped);
    std::vector<unsigned char> buffer(32768);
    int frames = 0;
    alarm(10);
    ASSERT_GT(UsbRdEx(h, buffer.data(), 32768, &frames), 0);
    alarm(0);
    EXPECT_EQ(frames, 62);
    EXPECT_EQ(GetLostFrames(), dropped % 65536); // the 16-bit frame counter's gap
}

// Fails when frames cut by short reads are lost or counted twice.
TEST_F(CorvoUsbTest, ExtendedReadKeepsFramesCutByShortReads) {
    cu::ResetBus();
    cu::AddBoard({.framePayload = 100, .firstFrameCounter = 65530});
    const int h = OpenFirst();
    cu::LimitReads(0, 250);
    std::vector<unsigned char> buffer(4096);
    int frames = 0, total = 0, bytes = 0;
    for (int i = 0; i < 20; ++i) {
        const int n = UsbRdEx(h, buffer.data(), 4096, &frames);
        ASSERT_GE(n, 0);
        EXPECT_EQ(n % 109, 0) << "only whole frames are delivered";
        total += frames;
        bytes += n;
    }
    EXPECT_EQ(bytes, total * 109);
    EXPECT_EQ(total, 5000 / 109);
    EXPECT_EQ(GetLostFrames(), 0u) << "the counter wrapped past 65535 without a gap";
    EXPECT_EQ(GetHeaderErrors(), 0u);
    EXPECT_EQ(GetTrailerErrors(), 0u);
    EXPECT_EQ(USB_PurgeBuffers(h), 1);
    EXPECT_EQ(USB_GetStatus(h, 0), 0);
}

} // namespace
