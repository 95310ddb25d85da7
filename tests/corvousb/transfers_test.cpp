// Tests of sub-address transfers, raw FIFO loopback and extended (framed) reads on the
// simulated board.
#include "CorvoUsbFixture.h"

#include <numeric>

namespace {

// Fails when a block written to a sub-address does not read back unchanged, a fresh sub-address
// does not give the full count of its pattern, the raw FIFO does not loop back what was written,
// or an empty read is an error.
TEST_F(CorvoUsbTest, SubAddressBlocksAndRawDataReadBack) {
    const int h = OpenFirst();
    auto block = Sequence(1000, 3);
    std::vector<unsigned char> back(1000), fresh(300), ramp(300);
    ASSERT_EQ(UsbWrt(h, -3, block.data(), 1000), 1000);
    ASSERT_EQ(UsbRd(h, -3, back.data(), 1000), 1000);
    EXPECT_EQ(back, block);
    ASSERT_EQ(UsbRd(h, 5, fresh.data(), 300), 300);
    std::iota(ramp.begin(), ramp.end(), 5);
    EXPECT_EQ(fresh, ramp);

    unsigned char last[3] = {0x11, 0x22, 0x33}, one = 0;
    for (unsigned char& v : last)
        EXPECT_EQ(UsbWrt(h, 7, &v, 1), 1);
    EXPECT_EQ(UsbRd(h, 7, &one, 1), 1);
    EXPECT_EQ(one, 0x33);
    EXPECT_EQ(UsbRd(h, 0, back.data(), 0) + UsbWrt(h, 0, nullptr, 0), 0);
    EXPECT_EQ(cu::Board(0).receiveQueue, 0u);

    block = Sequence(100, 1);
    int written = -1, read = -1;
    ASSERT_EQ(USB_Write(h, block.data(), 100, &written), 1);
    EXPECT_EQ(std::tuple(written, USB_GetStatus(h, 0), USB_GetStatus(h, 1)),
              std::tuple(100, 100, 0));
    back.resize(100);
    ASSERT_EQ(USB_Read(h, back.data(), 100, &read), 1);
    EXPECT_EQ(std::pair(read, back), std::pair(100, block));
    EXPECT_EQ(Res(USB_Read(h, back.data(), 100, &read)), NoData(1));
    EXPECT_EQ(read, 0);

    ASSERT_TRUE(USB_Write(h, block.data(), 50, &written) && USB_PurgeBuffers(h));
    EXPECT_EQ(std::pair(USB_GetStatus(h, 0), cu::Board(0).purges), std::pair(0, 1u));

    // Short reads: fails when they lose or duplicate bytes, stale bytes are taken for an answer,
    // or bytes queued behind an answer that was read in part overtake its rest.
    cu::LimitReads(0, 10);
    block = Sequence(100, 9);
    ASSERT_EQ(UsbWrt(h, 2, block.data(), 100), 100);
    back.resize(303);
    EXPECT_EQ(UsbRd(h, 2, back.data(), 100), 10);
    EXPECT_TRUE(std::equal(back.begin(), back.begin() + 10, block.begin()));
    EXPECT_EQ(USB_GetStatus(h, 0), 90);

    UsbSetIntCheckingState(1);
    cu::LimitReads(0, 0);
    EXPECT_EQ(UsbRd(h, 2, back.data(), 100), 100);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), back.begin()));
    EXPECT_EQ(Captured::printed, "90 unexpected byte(s) from the device discarded\n");

    const unsigned char unasked[3] = {1, 2, 3};
    cu::SendUnasked(0, unasked);
    UsbSetIntCheckingState(0);
    Captured::printed.clear();
    EXPECT_EQ(UsbRd(h, 2, back.data(), 4), 4);
    EXPECT_TRUE(Captured::printed.empty());
    EXPECT_EQ(back[0], block[0]);

    cu::LimitReads(0, 10);
    USB_Write(h, block.data(), 25, &written);
    EXPECT_EQ(USB_Read(h, back.data(), 25, &read), 1);
    EXPECT_EQ(read, 10);

    cu::LimitReads(0, 100);
    ASSERT_EQ(UsbRd(h, 5, back.data(), 300), 100);
    cu::SendUnasked(0, unasked);
    cu::LimitReads(0, 0);
    ASSERT_EQ(USB_Read(h, back.data(), 303, &read), 1);
    ASSERT_EQ(read, 203);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(back[static_cast<std::size_t>(i)], static_cast<unsigned char>(i + 105)) << i;
    EXPECT_EQ(std::pair(+back[200], +back[202]), std::pair(1, 3));
}

// Fails when an extended read delivers a cut frame, miscounts frames, the counter stalls, or
// dropped, header-corrupted or trailer-corrupted frames are not counted as such.
TEST_F(CorvoUsbTest, ExtendedReadDeliversWholeFramesWithRisingCounters) {
    int h = OpenFirst();
    const int frameSize = 512 + 9;
    ASSERT_EQ(ReadEx(h, 32768), 62 * frameSize);
    EXPECT_EQ(frames, 62);
    EXPECT_EQ(std::tuple(+rx[0], +rx[frameSize], +rx[frameSize + 3]), std::tuple(0xAA, 0xAA, 1));
    ASSERT_EQ(ReadEx(h, 32768), 62 * frameSize);
    EXPECT_EQ(std::tuple(+rx[3], GetLostFrames(), GetHeaderErrors(), GetTrailerErrors(),
                         GetTotalByteCount(), cu::Board(0).framesSent),
              std::tuple(62, 0u, 0u, 0u, 2u * 62 * frameSize, 124u));

    // Smaller than one frame: the board sends one shorter frame.
    ASSERT_EQ(ReadEx(h, 100), 100);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(Res(ReadEx(h, 0)), Fail(-1, CORVOUSB_ERR_BAD_ARGUMENT));

    h = OpenOnly({});
    cu::DropFrames(0, 5, 3);
    cu::CorruptFrameHeaders(0, 20);
    cu::CorruptFrameTrailers(0, 30, 2);
    ASSERT_GT(ReadEx(h, 32768), 0);
    // 3 dropped, 1 behind a broken header
    EXPECT_EQ(std::tuple(GetLostFrames(), GetHeaderErrors(), GetTrailerErrors(), frames),
              std::tuple(4u, 1u, 2u, 62 - 1));

    // Fails when frames cut by short reads are lost or counted twice.
    h = OpenOnly({.framePayload = 100, .firstFrameCounter = 65530});
    cu::LimitReads(0, 250);
    int total = 0, bytes = 0;
    for (int i = 0; i < 20; ++i) {
        const int n = ReadEx(h, 4096);
        ASSERT_GE(n, 0);
        EXPECT_EQ(n % 109, 0) << "only whole frames are delivered";
        total += frames;
        bytes += n;
    }
    // The counter wraps past 65535 without a gap.
    EXPECT_EQ(std::tuple(bytes, total, GetLostFrames(), GetHeaderErrors(), GetTrailerErrors()),
              std::tuple(total * 109, 5000 / 109, 0u, 0u, 0u));
}

} // namespace
