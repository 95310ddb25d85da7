// Tests of the simulated board's time model, on the virtual clock of the test seam.
#include "CorvoUsbFixture.h"

#include <chrono>
#include <cmath>

namespace {

using namespace std::chrono_literals;
using corvousb::BusSpeed;

// Milliseconds that `call` takes on the bus clock.
template <class Call> double Ms(Call&& call) {
    const auto start = cu::BusTime();
    call();
    return std::chrono::duration<double, std::milli>(cu::BusTime() - start).count();
}

// The link's cost of n bytes: n / rate plus one request cost per transfer size started.
double LinkMs(double bytes, double rate, double transferSize, double requestMs) {
    return bytes / rate * 1e3 + std::ceil(bytes / transferSize) * requestMs;
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
    // Runs extended reads of `bytes` every `periodMs` (or back to back when a read takes
    // longer) for `seconds` of bus time; returns the frames delivered.
    int Loop(int h, int bytes, double periodMs, double seconds) {
        const auto period = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::duration<double, std::milli>(periodMs));
        auto tick = cu::BusTime();
        int total = 0;
        while (cu::BusTime() < std::chrono::duration<double>(seconds)) {
            tick += period;
            if (tick > cu::BusTime()) cu::WaitFor(tick - cu::BusTime());
            EXPECT_GT(ReadEx(h, bytes), 0);
            total += frames;
        }
        return total;
    }
};

// Fails when a 65,536-byte read does not take the model's time at high speed in either FIFO
// mode or at full speed, or when small transfer sizes do not slow a large block down.
TEST_F(TimingTest, BlockRatesFollowBusSpeedModeAndTransferSize) {
    const int h = OpenFirst();
    ASSERT_EQ(USB_SetXferSize(h, 65536, 65536), 1);
    // Command (8 bytes, one request) plus answer (one request): high speed, asynchronous.
    const double async = LinkMs(8, 8e6, 65536, 0.125) + LinkMs(65536, 8e6, 65536, 0.125);
    EXPECT_NEAR(ReadMs(h, 65536), async, async * 0.05);
    ASSERT_EQ(USB_SetSynchronousMode(h, 100), 1);
    const double sync = LinkMs(8, 40e6, 65536, 0.125) + LinkMs(65536, 40e6, 65536, 0.125);
    EXPECT_NEAR(ReadMs(h, 65536), sync, sync * 0.05);
    ASSERT_EQ(USB_ResetMode(h), 1);
    ASSERT_EQ(USB_SetXferSize(h, 512, 512), 1);
    const double small = LinkMs(8, 8e6, 512, 0.125) + LinkMs(65536, 8e6, 512, 0.125);
    EXPECT_NEAR(ReadMs(h, 65536), small, small * 0.05);
    EXPECT_GT(small, 2.5 * async) << "128 requests instead of one";

    const int full = OpenOnly({.speed = BusSpeed::Full});
    ASSERT_EQ(USB_SetXferSize(full, 65536, 65536), 1);
    ASSERT_EQ(USB_SetSynchronousMode(full, 100), 1); // no faster at full speed
    const double fullMs = LinkMs(8, 1e6, 65536, 1) + LinkMs(65536, 1e6, 65536, 1);
    EXPECT_NEAR(ReadMs(full, 65536), fullMs, fullMs * 0.05);
}

// Fails when bytes that do not fill a packet do not wait for the latency timer, or when a full
// packet waits for it.
TEST_F(TimingTest, SmallReadsCostTheLatencyTimer) {
    const int h = OpenFirst();
    for (unsigned latency : {16u, 2u}) {
        ASSERT_EQ(USB_SetLatencyTimer(h, static_cast<unsigned char>(latency)), 1);
        const double ms = ReadMs(h, 16);
        EXPECT_GE(ms, latency);
        EXPECT_LT(ms, latency + 0.5);
    }
    EXPECT_LT(ReadMs(h, 512), 1.0) << "a full packet leaves at once";
    const int full = OpenOnly({.speed = BusSpeed::Full});
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
    EXPECT_EQ(UsbWrt(h, 0, data, 16), 16) << "a silent board takes the bytes";
    EXPECT_NEAR(Ms([&] { got = UsbRd(h, 0, data, 16); }), 300.0, 0.5);
    EXPECT_EQ(Res(got), NoData(0));
    EXPECT_NEAR(Ms([&] { got = ReadEx(h, 16); }), 300.0, 0.5);
    EXPECT_EQ(Res(got), NoData(0));
    EXPECT_EQ(frames, 0);
    EXPECT_NEAR(Ms([&] { USB_Read(h, data, 16, &got); }), 300.0, 0.01);

    cu::RefuseEveryByte(0);
    EXPECT_NEAR(Ms([&] { got = UsbWrt(h, 0, data, 16); }), 200.0, 0.01);
    EXPECT_EQ(Res(got), Fail(-1, CORVOUSB_ERR_WRITE_TIMEOUT));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Res(UsbWrt(h, 0, &data[i], 1)), Fail(-1, CORVOUSB_ERR_WRITE_TIMEOUT));
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
    EXPECT_GT(got, 10000);
    EXPECT_LT(got, 20000) << "about 19 ms of a 1 MB/s link";
    EXPECT_EQ(got % 64, 0) << "whole packets";

    // A command cut by the write time-out is not executed: the memory keeps its pattern.
    USB_SetTimeouts(h, 20, 1000);
    USB_PurgeBuffers(h); // the rest of the cut read
    std::fill(block.begin(), block.end(), 0xEE);
    EXPECT_NEAR(Ms([&] { got = UsbWrt(h, 4, block.data(), 65536); }), 20.0, 0.01);
    EXPECT_EQ(Res(got), Fail(-1, CORVOUSB_ERR_WRITE_TIMEOUT));
    ASSERT_EQ(UsbRd(h, 4, block.data(), 16), 16);
    EXPECT_EQ(block[0], 4);
}

// Fails when a loop that reads slower than the stream does not lose frames as counter gaps, or
// a fast loop loses any, or when a purge leaves frames in the stream buffer.
TEST_F(TimingTest, SlowLoopsLoseFramesAndFastOnesKeepUp) {
    int h = OpenFirst();
    USB_SetLatencyTimer(h, 2);
    USB_SetXferSize(h, 4096, 65536);
    ResetLostFrames();
    USB_PurgeBuffers(h);
    const int fast = Loop(h, 65536, 2, 2.0);
    EXPECT_EQ(GetLostFrames(), 0u);
    EXPECT_EQ(cu::Board(0).framesDropped, 0u);
    // 2 MB/s of 521-byte frames, less what still waits in the buffer.
    EXPECT_NEAR(fast, 2.0 * 2e6 / 521, 2.0 * 2e6 / 521 * 0.05);

    cu::WaitFor(1s);
    EXPECT_EQ(cu::Board(0).streamBuffered, 262144u / 521 * 521) << "the buffer is full";
    EXPECT_EQ(USB_PurgeBuffers(h), 1);
    EXPECT_EQ(cu::Board(0).streamBuffered, 0u);
    const unsigned dropped = static_cast<unsigned>(cu::Board(0).framesDropped);
    EXPECT_GT(dropped, 0u);

    cu::WaitFor(1s);
    EXPECT_EQ(CloseUsbDevice(h), 1);
    ASSERT_EQ(OpenFirst(), h + 1);
    EXPECT_EQ(cu::Board(0).streamBuffered, 0u) << "closing stops the source";
    h += 1;

    ResetLostFrames();
    USB_SetXferSize(h, 4096, 4096);
    const auto droppedBefore = cu::Board(0).framesDropped;
    const int slow = Loop(h, 4096, 1000, 9.0);
    EXPECT_EQ(slow, 5 * 7) << "7 frames a read, one read a second";
    // About 3,839 frames a second for 4 s: all but those read and the 503 still buffered are lost.
    EXPECT_NEAR(GetLostFrames(), 4 * 3839 - 4 * 7 - 503, 30);
    // Every frame dropped shows as lost, but for those dropped since the last read began.
    const auto droppedNow = cu::Board(0).framesDropped - droppedBefore;
    EXPECT_LE(GetLostFrames(), droppedNow);
    EXPECT_GE(GetLostFrames() + 10, droppedNow);
    EXPECT_EQ(GetHeaderErrors(), 0u);
}

// Fails when the test seam's clock or the untimed board lets time pass, so that the suite
// would slow down or depend on the time model.
TEST_F(TimingTest, UntimedBoardAnswersAtOnce) {
    const int h = OpenOnly({.timing = false});
    std::vector<unsigned char> block(65536);
    EXPECT_EQ(Ms([&] { UsbRd(h, 0, block.data(), 65536); }), 0.0);
    EXPECT_EQ(Ms([&] { ReadEx(h, 65536); }), 0.0);
    EXPECT_EQ(frames, 125);
    EXPECT_FALSE(cu::Board(0).timing);
}

} // namespace
