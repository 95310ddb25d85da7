// The two transfer tests in each I/O mode: library calls in order, warnings, dumps, rate lines,
// error reports and the word count; the extended read, the word-count range, allocation
// failure and the rate line's format.
#include "tests/support/EngineSession.h"

#include "core/IoMode.h"
#include "engine/TransferRun.h"
#include "engine/UsbTest.h"
#include "tests/engine/Settings.h"
#include "tests/support/CaptureOutput.h"

#include <cmath>
#include <optional>

namespace {

const std::string kWritten = Dump("\n00000000> 40 41 42 43 "); // 4 bytes from 0x40
const double kNoRate = NAN;                                    // no rate line may follow
const double kAnyRate = INFINITY; // a rate line follows, whatever its figure

void TestSettings(int mode, int wordSize, int words, int print) {
    Apply(SetIOMode, mode, SetSubAddress, 5, SetPatternMode, 0, SetWordSize, wordSize, SetWordCount,
          words, SetPrintState, print, SetShortPrint, 0, SetMSBFirst, 0, SetStartVal, 0x40,
          SetIncrement, 1);
}

std::function<void(int)> Fail(const char* function, int code) {
    return [=](int) { bus::FailNextCall(function, code); };
}

} // namespace

// Fails when a mode of either test calls the library otherwise than documented, or prints
// other warnings, dumps or rate lines, or reports an error otherwise (code 20 with the frame
// diagnostics alone in the sub-address test), does not hold the byte count as the word count
// while the library reports errors and the word count after, lets a word count outside 0 to
// 65536 reach the byte count unclamped, or allocates blocks for the raw test's byte-write and
// extended-read modes.
TEST_F(EngineSession, EveryModeOfBothTests) {
    // The board's memory at sub-address 5: byte i = i + 5.
    const std::string read16 =
        Dump("\n00000000> 0605 0807 0A09 0C0B 0E0D 100F 1211 1413 \n00000008> 1615 1817 ");
    const std::string wrote = "\nWrote..." + kWritten, burst = wrote + "Read..." + kWritten,
                      none = "Warning : 0 bytes read\n", noneWritten = "Warning : 0 bytes written",
                      rd20 = "UsbRd(1, 5, data, 20)", rd4 = "UsbRd(1, 5, data, 4)",
                      wr4 = "UsbWrt(1, 5, data, 4)", wr1 = "UsbWrt(1, 5, data, 1)",
                      info = "PrintFrameInfo()", rawWr4 = "USB_Write(1, data, 4, out)",
                      rawRd4 = "USB_Read(1, data, 4, out)", e9 = "USB_Perror(9)";
    static const unsigned char sent[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto refuse = [](int b) { bus::RefuseEveryByte(b); };
    const auto noMemory = [](int) {
        SetTransferBlockAllocator([](size_t) -> void* { return nullptr; });
    };
    const auto sub = usb_test, raw = usb_test_raw;
    const int RD = IOMODE_READ, WR = IOMODE_WRITE, BURST = IOMODE_WRRD_BURST;
    const std::optional<std::string> any; // the text is not checked
    const struct {
        const char* name;
        void (*test)(void);
        int mode, wordSize, words, print;
        std::function<void(int board)> before;
        std::vector<std::string> calls;
        std::optional<std::string> text; // the information box before the rate line
        double rate;                     // the byte figure of the rate line, kNoRate or kAnyRate
        size_t popups;
    } cases[] = {
        // clang-format off
        // name, test, mode, word size, words, print; before; calls; text; rate; error boxes
        {"read", sub, RD, 1, 10, 1, {}, {rd20}, read16, 20, 0},
        {"short read", sub, RD, 2, 5, 0, [](int b) { bus::LimitReads(b, 12); }, {rd20},
         "Warning : only 12 bytes of 20 were read\n", 12, 0},
        {"read error", sub, RD, 1, 10, 1, Fail("UsbRd", 9), {rd20, info, e9}, any, kNoRate, 1},
        {"read code 20", sub, RD, 1, 10, 1, Fail("UsbRd", 20), {rd20, info}, any, kNoRate, 0},
        {"write", sub, WR, 0, 4, 1, {}, {wr4}, kWritten, 4, 0},
        {"zero write", sub, WR, 0, 0, 1, {}, {"UsbWrt(1, 5, data, 0)"}, noneWritten, kNoRate, 0},
        {"write error", sub, WR, 0, 4, 1, Fail("UsbWrt", 9), {wr4, info, e9}, any, kNoRate, 1},
        {"byte writes", sub, IOMODE_WRRD_BYTE, 1, 2, 1, {}, {wr1, wr1, wr1, wr1}, "", 4, 0},
        {"refused", sub, IOMODE_WRRD_BYTE, 0, 2, 1, refuse, {wr1, info, "USB_Perror(21)"}, any,
         kNoRate, 1},
        {"burst", sub, BURST, 0, 4, 1, {}, {wr4, rd4}, burst, 4, 0},
        {"burst, print off", sub, BURST, 0, 4, 0, {}, {wr4, rd4}, "", 4, 0},
        {"burst write error", sub, BURST, 0, 4, 1, Fail("UsbWrt", 9), {wr4, e9}, "", kNoRate, 1},
        // Nothing written ends the run as a failed write does, with the last code (9 here).
        {"burst of 0", sub, BURST, 0, 0, 1, {}, {"UsbWrt(1, 5, data, 0)", e9}, "", kNoRate, 1},
        {"burst code 20", sub, BURST, 0, 4, 1, Fail("UsbWrt", 20), {wr4, info}, any, kNoRate, 0},
        {"burst rd err", sub, BURST, 0, 4, 1, Fail("UsbRd", 9), {wr4, rd4, e9}, wrote, kNoRate, 1},
        {"raw read", raw, RD, 1, 4, 1, [](int b) { bus::SendUnasked(b, sent); },
         {"USB_Read(1, data, 8, out)"}, Dump("\n00000000> 0201 0403 0605 0807 "), 8, 0},
        {"raw short read", raw, RD, 0, 8, 0, [](int b) { bus::SendUnasked(b, {sent, 3}); },
         {"USB_Read(1, data, 8, out)"}, "Warning : only 3 bytes of 8 were read\n", 3, 0},
        {"raw read error", raw, RD, 0, 4, 1, Fail("USB_Read", 9), {rawRd4, e9}, "", kNoRate, 1},
        {"raw write", raw, WR, 0, 4, 1, {}, {rawWr4}, kWritten, 4, 0},
        {"raw zero write", raw, WR, 0, 0, 1, {}, {"USB_Write(1, data, 0, out)"}, noneWritten, 0, 0},
        {"raw write refused", raw, WR, 0, 4, 1, refuse, {rawWr4, "USB_Perror(21)"}, "", kNoRate, 1},
        {"raw burst", raw, BURST, 0, 4, 1, {}, {rawWr4, rawRd4}, burst, 4, 0},
        {"raw burst, short read", raw, BURST, 0, 4, 0, [](int b) { bus::LimitReads(b, 2); },
         {rawWr4, rawRd4}, "", 2, 0},
        {"raw burst wr error", raw, BURST, 0, 4, 1, Fail("USB_Write", 9), {rawWr4, e9}, "", kNoRate,
         1},
        {"raw burst rd err", raw, BURST, 0, 4, 1, Fail("USB_Read", 9), {rawWr4, rawRd4, e9}, wrote,
         kNoRate, 1},
        // Not even the blocks are allocated (any allocation fails).
        {"raw byte mode", raw, IOMODE_WRRD_BYTE, 0, 70000, 1, noMemory, {}, "", kNoRate, 0},
        {"raw extended read", raw, IOMODE_EXTENDED_READ, 0, 70000, 1, noMemory, {}, "", kNoRate, 0},
        // A word count outside 0 to 65536 reaches the byte count clamped, and stays as it was.
        {"clamped read", sub, RD, 2, 70000, 0, {}, {"UsbRd(1, 5, data, 262144)"}, any, kAnyRate, 0},
        {"negative count", sub, RD, 2, -3, 1, {}, {"UsbRd(1, 5, data, 0)"}, none, 0, 0},
        // clang-format on
    };
    RunStep([&] {
        ObserveErrorReports();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            bus::ClearFaults();
            TestSettings(c.mode, c.wordSize, c.words, c.print);
            if (c.before) c.before(board_);
            hl::ClearPopups();
            Seen().clear();
            MarkCalls();
            ClearInfo();
            c.test();
            SetTransferBlockAllocator(nullptr);
            const std::string text = Info();
            const auto [rateAt, figure] = RateLine(text);
            EXPECT_EQ(std::tuple(Calls(), rateAt != std::string::npos, Popups("USB Error"),
                                 text.substr(0, rateAt), GetWordCount()),
                      std::tuple(c.calls, !std::isnan(c.rate), c.popups,
                                 c.text.value_or(text.substr(0, rateAt)), c.words))
                << text;
            EXPECT_NEAR(figure, std::isfinite(c.rate) ? c.rate : figure, 0.01);
            const int bytes = c.words * (c.wordSize == 0 ? 1 : c.wordSize == 1 ? 2 : 4);
            for (const std::string& seen : Seen())
                EXPECT_EQ(seen.substr(0, seen.find(' ')), "wordCount=" + std::to_string(bytes));
        }
    });
}

// Fails when "Extended read" asks for more than the interface buffer, starts the stopwatch,
// prints a rate, does not add its frames, dumps other than the bytes read, or changes the word
// count; or when its error report misses a line.
TEST_F(EngineSession, SubAddressExtendedRead) {
    RunStep([this] {
        TestSettings(4, 0, 7, 1);
        Apply(SetShortPrint, 1, SetRxBuffer, 4096, SetNFrames, 2);
        SetPrecTimerMarks(5, 5);
        bus::DropFrames(board_, 2, 3);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbRdEx(1, data, 4096, out)"});
        // The stopwatch runs from the old start mark to the end of the read.
        EXPECT_TRUE(ElapsedTimeDouble() > 0.001 && GetNFrames() > 2);
        // Whole frames of 512 payload bytes: 7 bytes of header, 2 of trailer.
        char last[16];
        std::snprintf(last, sizeof last, "\n%08X> ", (GetNFrames() - 2) * 521 / 16 * 16);
        EXPECT_TRUE(Info().starts_with("\n**** Start of dump\n00000000> AA FF FF 00 00 00 02 ") &&
                    Info().find(last) != std::string::npos &&
                    Info().ends_with("\n**** End of dump\n\n") && GetWordCount() == 7) // no rate
            << last << Info();

        Apply(SetRxBuffer, 300000, SetNFrames, 3);
        bus::FailNextCall("UsbRdEx", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"UsbRdEx(1, data, 262144, out)", "USB_GetStatus(1, 0)",
                                            "PrintFrameInfo()", "USB_Perror(9)"}));
        EXPECT_TRUE(Info().starts_with("Processed frames before this error 3\n"
                                       "Lost frames before this error 3\n"
                                       "USB_GetStatus() = 0\n"))
            << Info();
        EXPECT_EQ(std::tuple(hl::Popups().size(), GetNFrames()), std::tuple(1u, 3));
    });
}

// Fails when the rate line takes the wrong form at the kilobyte boundary, or prints other
// figures than the documented format gives; or when a raw write that the board cuts short (its
// time-out ends it) is reported as a read, or without the counts.
TEST_F(EngineSession, ShortRawWriteIsReportedAsWritten) {
    RunStep([] {
        ClearInfo();
        SetPrecTimerMarks(0, 1000000000);
        for (int bytes : {2048, 1024, 1025, 0, -3}) {
            if (bytes == 0) SetPrecTimerMarks(0, 250000000);
            PrintTransferRate(bytes);
        }
        EXPECT_EQ(Info(), " 2.000 KBytes/s -      1 s\n"
                          "1024.000 Bytes/s -      1 s\n"
                          " 1.001 KBytes/s -      1 s\n"
                          " 0.000 Bytes/s -   0.25 s\n"
                          "-12.000 Bytes/s -   0.25 s\n");

        TestSettings(1, 0, 65536, 0);
        USB_SetTimeouts(GetUsbId(), 1, 1000);
        ClearInfo();
        usb_test_raw();
        const auto [rateAt, figure] = RateLine(Info());
        std::smatch m;
        const std::string warning = Info().substr(0, rateAt);
        const std::regex line("Warning : only ([0-9]+) bytes of 65536 were written\n");
        ASSERT_TRUE(std::regex_match(warning, m, line)) << warning;
        EXPECT_NEAR(figure, std::stod(m[1]), std::stod(m[1]) * 0.001);
    });
}

// Fails when a failed allocation transfers, does not report "Memory allocation error" (on the
// console in the sub-address test, in the information box in the raw one) or loses the word
// count.
TEST_F(EngineSession, AllocationFailure) {
    RunStep([this] {
        static int allocations = 0; // the first block is granted, the second refused
        SetTransferBlockAllocator(
            [](size_t size) -> void* { return ++allocations % 2 == 1 ? malloc(size) : nullptr; });
        TestSettings(0, 1, 10, 1);
        MarkCalls();
        ClearInfo();
        EXPECT_EQ(CaptureOutput(STDOUT_FILENO, usb_test), "Memory allocation error\n");
        EXPECT_EQ(Info(), "");
        usb_test_raw();
        SetTransferBlockAllocator(nullptr);
        EXPECT_EQ(std::tuple(Info(), Calls().size(), GetWordCount()),
                  std::tuple("Memory allocation error\n", 0u, 10));
    });
}
