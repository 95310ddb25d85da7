// The simulated board's data faults and streams: bit errors, dropped bytes, raw echo, PRBS.
#include "CorvoUsbFixture.h"

#include "platform/corvousb/sim/BusFile.h"

#include <bit>

using corvousb::BoardSetup;

namespace {

// Reads n bytes raw from the first board of a fresh bus built from `setup`.
std::vector<std::uint8_t> RawRead(const BoardSetup& setup, std::size_t n,
                                  const std::vector<std::uint8_t>& written = {}) {
    cu::ResetBus();
    cu::AddBoard(setup);
    const int h = OpenUsbDevice("SIM00001");
    int moved = 0;
    std::vector<std::uint8_t> out(n);
    if (!written.empty())
        USB_Write(h, const_cast<std::uint8_t*>(written.data()), static_cast<int>(written.size()),
                  &moved);
    EXPECT_TRUE(USB_Read(h, out.data(), static_cast<int>(n), &moved));
    out.resize(static_cast<std::size_t>(moved));
    CloseUsbDevice(h);
    return out;
}

} // namespace

// Fails when the bit-error rate is not what was asked within statistical bounds, a seed does not
// give the same errors twice, dropped bytes are not the N-th ones, raw echo cannot be turned off,
// or the PRBS stream does not start with the documented bytes.
TEST_F(CorvoUsbTest, SeededBitErrorsDroppedBytesEchoAndPrbsStream) {
    const std::vector<std::uint8_t> zeros(1 << 20);
    const BoardSetup setup{.bitErrorRate = 1e-3, .errorSeed = 42, .timing = false};
    const auto once = RawRead(setup, zeros.size(), zeros);
    std::size_t bits = 0;
    for (auto b : once)
        bits += static_cast<std::size_t>(std::popcount(b));
    // 8,388,608 bits at 1e-3: 8,389 expected, standard deviation 92; five of them either way.
    EXPECT_NEAR(static_cast<double>(bits), 8388.6, 460.0);
    EXPECT_EQ(RawRead(setup, zeros.size(), zeros), once);
    EXPECT_NE(
        RawRead({.bitErrorRate = 1e-3, .errorSeed = 43, .timing = false}, zeros.size(), zeros),
        once);
    const std::vector<std::uint8_t> ramp = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(RawRead({.dropEvery = 3, .timing = false}, 7, ramp),
              (std::vector<std::uint8_t>{1, 2, 4, 5, 7}));
    EXPECT_TRUE(RawRead({.rawEcho = false, .timing = false}, 7, ramp).empty());
    EXPECT_EQ(RawRead({.rawPrbs = 31}, 8, {}),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x00, 0x1C}));
}

// Fails when a data-fault key of the bus file is not read, or a bad value, or one wider than its
// 32-bit field (cut to its low bits), is taken instead of being refused as the line it is.
TEST(BusFileKeys, DataFaults) {
    auto clock = std::make_shared<corvousb::VirtualClock>();
    const auto good = corvousb::ParseBusFile("[board]\nraw-echo = no\nraw-prbs = 23\n"
                                             "bit-error-rate = 1e-6 7\ndrop-bytes = 100\n",
                                             clock);
    EXPECT_TRUE(good.problems.empty());
    // The echo is off and the stream is PRBS-23; the faults leave its first bytes alone.
    corvousb::SimBoard* board = good.bus->board(0);
    std::size_t taken = 0, got = 0;
    const std::uint8_t sent[2] = {9, 9};
    board->write(sent, taken);
    std::uint8_t first[4] = {};
    board->read(first, got);
    EXPECT_EQ(std::vector(first, first + got), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFE, 0x00}));
    const auto bad = corvousb::ParseBusFile("[board]\nraw-prbs = 9\nbit-error-rate = 2\n"
                                            "bit-error-rate = 0.1 x\ndrop-bytes = -1\n"
                                            "stream-rate = 4294967296\nstream-buffer = 4294967297\n"
                                            "stream-rate = 4294967295\n",
                                            clock);
    EXPECT_THAT(bad.problems,
                ::testing::ElementsAre("line 2: raw-prbs = 9", "line 3: bit-error-rate = 2",
                                       "line 4: bit-error-rate = 0.1 x", "line 5: drop-bytes = -1",
                                       "line 6: stream-rate = 4294967296",
                                       "line 7: stream-buffer = 4294967297"));
}
