// Tests of the simulated board's time model, on the virtual clock of the test seam.
#include "CorvoUsbFixture.h"

#include <chrono>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using corvousb::BusSpeed;

// Milliseconds that `call` takes on the bus clock.
template <class Call> double Ms(Call&& call) {
    const auto start = cu::BusTime();
    call();
    return std::chrono::duration<double, std::milli>(cu::BusTime() - start).count();
}

class TimingTest : public CorvoUsbTest {
  protected:
    // A sub-address read of n bytes: its duration in ms; fails the test on a short read.
    double ReadMs(int h, int n) {
        std::vector<unsigned char> block(static_cast<std::size_t>(n));
        int got = 0;
        const double ms = Ms([&] { got = UsbRd(h, 1, block.data(), n); });
        EXPECT_EQ(got, n);
        return ms;
    }
};

// Fails when a 65,536-byte read does not take the model's time (its bytes at the link's rate and
// a request cost of 0.125 ms at high speed, 1 ms at full speed, per transfer size started) in
// either FIFO mode or at full speed, small transfer sizes do not slow a large block down, bytes
// that do not fill a packet do not wait for the latency timer, or a full packet waits for it.
TEST_F(TimingTest, ReadsFollowBusSpeedModeTransferSizeAndLatency) {
    const auto expectBlockMs = [&](int h, double ms) {
        EXPECT_NEAR(ReadMs(h, 65536), ms, ms * 0.05);
    };
    const int h = OpenFirst();
    ASSERT_EQ(USB_SetXferSize(h, 65536, 65536), 1);
    expectBlockMs(h, 8.443); // 8 MB/s
    ASSERT_EQ(USB_SetSynchronousMode(h, 100), 1);
    expectBlockMs(h, 1.889); // 40 MB/s
    ASSERT_EQ(USB_ResetMode(h) + USB_SetXferSize(h, 512, 512), 2);
    expectBlockMs(h, 24.318); // 128 requests instead of one
    for (unsigned latency : {16u, 2u}) {
        ASSERT_EQ(USB_SetLatencyTimer(h, static_cast<unsigned char>(latency)), 1);
        EXPECT_NEAR(ReadMs(h, 16), latency + 0.25, 0.25) << "at least the latency timer";
    }
    EXPECT_LT(ReadMs(h, 512), 1.0) << "a full packet leaves at once";

    const int full = OpenOnly({.speed = BusSpeed::Full});
    ASSERT_EQ(USB_SetXferSize(full, 65536, 65536) + USB_SetSynchronousMode(full, 100), 2);
    expectBlockMs(full, 67.544); // 1 MB/s, no faster in the synchronous mode
    USB_SetLatencyTimer(full, 2);
    EXPECT_LT(ReadMs(full, 64), 2.2) << "64 bytes fill a full-speed packet";
    EXPECT_GE(ReadMs(full, 100), 4.0) << "2 requests of 1 ms and the latency";
}

// Fails when a read without data or a refused write does not end after its time-out with its
// code, a silent board's reads report data or a hard error, a refused byte counts as written, or a
// transfer longer than its time-out is not cut to what fits in it.
TEST_F(TimingTest, TimeoutsEndTransfersWithTheirCodes) {
    int h = OpenOnly({.answers = false});
    ASSERT_EQ(USB_SetTimeouts(h, 200, 300), 1);
    unsigned char data[16] = {};
    int got = -1;
    EXPECT_NEAR(Ms([&] { got = ReadEx(h, 16); }), 300.0, 0.5);
    EXPECT_EQ(std::pair(Res(got), frames), std::pair(NoData(0), 0));
    EXPECT_EQ(UsbWrt(h, 0, data, 16), 16) << "a silent board takes the bytes";
    EXPECT_NEAR(Ms([&] { got = UsbRd(h, 0, data, 16); }), 300.0, 0.5);
    EXPECT_EQ(Res(got), NoData(0));
    EXPECT_NEAR(Ms([&] { USB_Read(h, data, 16, &got); }), 300.0, 0.01);

    cu::RefuseEveryByte(0);
    EXPECT_NEAR(Ms([&] { got = UsbWrt(h, 0, data, 16); }), 200.0, 0.01);
    EXPECT_EQ(Res(got), Fail(-1, CORVOUSB_ERR_WRITE_TIMEOUT));
    int written = -1;
    EXPECT_EQ(Res(USB_Write(h, data, 8, &written)), Fail(0, CORVOUSB_ERR_WRITE_TIMEOUT));
    EXPECT_EQ(written, 0);
    EXPECT_LT(UsbRd(h, 0, data, 8), 0);
    cu::RefuseEveryByte(0, false);
    EXPECT_EQ(UsbWrt(h, 0, data, 8), 8);

    // 10 frames of 109 bytes a second: a read that asks for 5 gets the 2 made within its 250 ms
    // time-out (at 100 and 200 ms), then waits for the latency timer.
    h = OpenOnly({.framePayload = 100, .streamRate = 1090});
    USB_SetTimeouts(h, 1000, 250);
    EXPECT_NEAR(Ms([&] { ReadEx(h, 5 * 109); }), 216.0, 0.5);
    EXPECT_EQ(frames, 2);

    h = OpenOnly({.speed = BusSpeed::Full});
    USB_SetTimeouts(h, 1000, 20);
    std::vector<unsigned char> block(65536);
    EXPECT_NEAR(Ms([&] { got = UsbRd(h, 0, block.data(), 65536); }), 21.0, 0.1);
    EXPECT_TRUE(got > 10000 && got < 20000 && got % 64 == 0) << "19 ms of 1 MB/s, whole packets";

    // A command cut by the write time-out is not executed: the memory keeps its pattern.
    USB_SetTimeouts(h, 20, 1000);
    USB_PurgeBuffers(h); // the rest of the cut read
    std::fill(block.begin(), block.end(), 0xEE);
    EXPECT_NEAR(Ms([&] { got = UsbWrt(h, 4, block.data(), 65536); }), 20.0, 0.01);
    EXPECT_EQ(Res(got), Fail(-1, CORVOUSB_ERR_WRITE_TIMEOUT));
    ASSERT_EQ(UsbRd(h, 4, block.data(), 16), 16);
    EXPECT_EQ(block[0], 4);

    // Fails when the test seam's clock or the untimed board lets time pass (the suite would slow
    // down or depend on the time model), or a fault dropping billions of frames makes one read walk
    // them one by one (the alarm ends a read that does) or counts other than the counter's gap.
    h = OpenOnly({.timing = false});
    EXPECT_EQ(Ms([&] { UsbRd(h, 0, block.data(), 65536), ReadEx(h, 65536); }), 0.0);
    EXPECT_EQ(frames, 125);

    const unsigned dropped = 4000000000u;
    cu::DropFrames(0, 130, dropped);
    alarm(10);
    ASSERT_GT(ReadEx(h, 32768), 0);
    alarm(0);
    EXPECT_EQ(frames, 62);
    EXPECT_EQ(GetLostFrames(), dropped % 65536); // the 16-bit frame counter's gap
}

} // namespace
