// The sub-address transfer test in each I/O mode: library calls, warnings, dumps, rate lines,
// error reports, the word count, and the rate format shared with the raw test.
#include "engine_session.h"

#include "engine/TransferRun.h"
#include "engine/UsbTest.h"

namespace {

const std::string kStart = "\n**** Start of dump";
const std::string kEnd = "\n**** End of dump\n\n";

void TestSettings(int mode, int wordSize, int words, int print) {
    SetIOMode(mode);
    SetSubAddress(5);
    SetPatternMode(0);
    SetWordSize(wordSize);
    SetWordCount(words);
    SetPrintState(print);
    SetShortPrint(0);
    SetMSBFirst(0);
    SetStartVal(0x40);
    SetIncrement(1);
}

} // namespace

// Fails when "<Read>" asks for the wrong byte count, dumps other data than the board's, misses
// the short or zero warning or the rate line, or leaves the byte count in the settings.
TEST_F(EngineSession, SubAddressRead) {
    RunStep([this] {
        TestSettings(0, 1, 10, 1);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbRd(1, 5, data, 20)"});
        // The board's memory at sub-address 5 holds byte i = i + 5.
        const std::string dump = kStart +
                                 "\n00000000> 0605 0807 0A09 0C0B 0E0D 100F 1211 1413 "
                                 "\n00000008> 1615 1817 " +
                                 kEnd;
        EXPECT_EQ(Info().substr(0, dump.size()), dump);
        EXPECT_TRUE(EndsWithRateLine(Info().substr(dump.size()))) << Info();
        EXPECT_NEAR(RateFigure(Info()), 20, 0.1);
        EXPECT_EQ(GetWordCount(), 10);

        bus::LimitReads(board_, 12);
        TestSettings(0, 2, 5, 0);
        ClearInfo();
        usb_test();
        EXPECT_EQ(Info().rfind("Warning : only 12 bytes of 20 were read\n", 0), 0u) << Info();
        EXPECT_NEAR(RateFigure(Info()), 12, 0.1);
        bus::LimitReads(board_, 0);

        TestSettings(0, 0, 0, 1);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbRd(1, 5, data, 0)"});
        EXPECT_EQ(Info().rfind("Warning : 0 bytes read\n 0.000 Bytes/s - ", 0), 0u) << Info();
        EXPECT_TRUE(EndsWithRateLine(Info()));
    });
}

// Fails when a failed read misses the frame diagnostics or the error box, shows the box for
// the quiet code 20, prints no negative rate, or the settings do not hold the byte count while
// the library reports.
TEST_F(EngineSession, SubAddressReadErrors) {
    RunStep([this] {
        ObserveLibraryOutput();
        TestSettings(0, 1, 10, 1);
        bus::FailNextCall("UsbRd", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbRd(1, 5, data, 20)", "PrintFrameInfo()",
                                                     "USB_Perror(9)"}));
        ASSERT_EQ(hl::Popups().size(), 1u);
        EXPECT_EQ(hl::Popups()[0].title, "USB Error");
        EXPECT_EQ(hl::Popups()[0].text, CorvoUsb_ErrorText(CORVOUSB_ERR_IO));
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_NE(Info().find("\n-"), std::string::npos) << Info();
        EXPECT_NEAR(RateFigure(Info()), -1, 0.01);
        ASSERT_FALSE(Seen().empty());
        EXPECT_EQ(Seen().front().substr(0, 12), "wordCount=20");
        EXPECT_EQ(GetWordCount(), 10);

        hl::ClearPopups();
        bus::FailNextCall("UsbRd", CORVOUSB_ERR_READ_TIMEOUT);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbRd(1, 5, data, 20)", "PrintFrameInfo()"}));
        EXPECT_TRUE(hl::Popups().empty());
        EXPECT_TRUE(EndsWithRateLine(Info()));
    });
}

// Fails when "<Write>" sends other data, prints a rate after nothing was written or after an
// error, or breaks the zero-byte warning's missing line break.
TEST_F(EngineSession, SubAddressWrite) {
    RunStep([this] {
        TestSettings(1, 0, 4, 1);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbWrt(1, 5, data, 4)"});
        const std::string dump = kStart + "\n00000000> 40 41 42 43 " + kEnd;
        EXPECT_EQ(Info().substr(0, dump.size()), dump);
        EXPECT_NEAR(RateFigure(Info()), 4, 0.01);
        // The board keeps what was written: it reads back.
        TestSettings(0, 0, 4, 1);
        ClearInfo();
        usb_test();
        EXPECT_EQ(Info().substr(0, dump.size()), dump);

        TestSettings(1, 0, 0, 1);
        ClearInfo();
        usb_test();
        EXPECT_EQ(Info(), "Warning : 0 bytes written");

        TestSettings(1, 0, 4, 1);
        bus::FailNextCall("UsbWrt", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbWrt(1, 5, data, 4)", "PrintFrameInfo()",
                                                     "USB_Perror(9)"}));
        EXPECT_FALSE(EndsWithRateLine(Info()));
        EXPECT_EQ(hl::Popups().size(), 1u);
        EXPECT_EQ(GetWordCount(), 4);
    });
}

// Fails when "<Wr/Rd byte>" does not write one byte per call to the end, stops at a failure,
// dumps, or counts refused bytes in its rate.
TEST_F(EngineSession, SubAddressByteWrites) {
    RunStep([this] {
        TestSettings(2, 1, 2, 1);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>(4, "UsbWrt(1, 5, data, 1)"));
        EXPECT_EQ(Info().find("dump"), std::string::npos);
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_NEAR(RateFigure(Info()), 4, 0.01);

        bus::FailNextCall("UsbWrt", CORVOUSB_ERR_IO);
        ClearInfo();
        usb_test();
        EXPECT_EQ(hl::Popups().size(), 1u);
        EXPECT_NEAR(RateFigure(Info()), 3, 0.01);

        hl::ClearPopups();
        bus::RefuseEveryByte(board_);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Count(Calls(), "UsbWrt(1, 5, data, 1)"), 4u);
        EXPECT_EQ(Count(Calls(), "PrintFrameInfo()"), 4u);
        EXPECT_EQ(Popups("USB Error"), 4u);
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_EQ(RateFigure(Info()), 0.0);
    });
}

// Fails when "<Wr/Rd burst>" reads before writing, prints the dumps out of order, reads after
// a failed write, or mixes up the burst mode's error report (code 20 diagnostics only, any
// other code the error box only).
TEST_F(EngineSession, SubAddressBurst) {
    RunStep([this] {
        TestSettings(3, 0, 4, 1);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"UsbWrt(1, 5, data, 4)", "UsbRd(1, 5, data, 4)"}));
        const std::string dump = kStart + "\n00000000> 40 41 42 43 " + kEnd;
        const std::string both = "\nWrote..." + dump + "Read..." + dump;
        EXPECT_EQ(Info().substr(0, both.size()), both);
        EXPECT_TRUE(EndsWithRateLine(Info().substr(both.size())));
        EXPECT_NEAR(RateFigure(Info()), 4, 0.01);

        TestSettings(3, 0, 4, 0);
        ClearInfo();
        usb_test();
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_EQ(Info().find("Wrote"), std::string::npos);

        bus::FailNextCall("UsbWrt", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbWrt(1, 5, data, 4)", "USB_Perror(9)"}));
        EXPECT_EQ(Info(), "");

        bus::FailNextCall("UsbWrt", CORVOUSB_ERR_READ_TIMEOUT);
        MarkCalls();
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbWrt(1, 5, data, 4)", "PrintFrameInfo()"}));

        // Nothing written (a word count of 0) ends the run like a failed write.
        TestSettings(3, 0, 0, 1);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls().front(), "UsbWrt(1, 5, data, 0)");
        EXPECT_EQ(Count(Calls(), "UsbRd(1, 5, data, 0)"), 0u);
        EXPECT_EQ(Info().find("Wrote"), std::string::npos) << Info();

        TestSettings(3, 0, 4, 1);
        bus::FailNextCall("UsbRd", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbWrt(1, 5, data, 4)",
                                                     "UsbRd(1, 5, data, 4)", "USB_Perror(9)"}));
        EXPECT_EQ(Info().find("Read..."), std::string::npos);
        EXPECT_NEAR(RateFigure(Info()), -1, 0.01);
        EXPECT_EQ(hl::Popups().size(), 2u);
    });
}

// Fails when a board that sends nothing back gives other than the zero warnings: "<Read>" and
// "<Wr/Rd burst>" warn and rate 0, "Extended read" prints nothing and counts no frame.
TEST_F(EngineSession, BoardThatNeverAnswers) {
    bus::ResetBus();
    corvousb::BoardSetup silent;
    silent.answers = false;
    bus::AddBoard(silent);
    RunStep([] {
        TestSettings(0, 0, 4, 1);
        ClearInfo();
        usb_test();
        EXPECT_EQ(Info().rfind("Warning : 0 bytes read\n 0.000 Bytes/s - ", 0), 0u) << Info();

        TestSettings(3, 0, 4, 1);
        ClearInfo();
        usb_test();
        const std::string zeros = kStart + "\n00000000> 00 00 00 00 " + kEnd;
        const std::string text = "\nWrote..." + kStart + "\n00000000> 40 41 42 43 " + kEnd +
                                 "Read..." + zeros + "Warning : 0 bytes read\n 0.000 Bytes/s - ";
        EXPECT_EQ(Info().substr(0, text.size()), text);

        TestSettings(4, 0, 4, 1);
        SetNFrames(3);
        ClearInfo();
        usb_test();
        EXPECT_EQ(Info(), "");
        EXPECT_EQ(GetNFrames(), 3);
        EXPECT_TRUE(hl::Popups().empty());
    });
}

// Fails when "Extended read" asks for more than the interface buffer, starts the stopwatch,
// prints a rate, does not add its frames, dumps other than the bytes read, or changes the word
// count; or when its error report misses a line.
TEST_F(EngineSession, SubAddressExtendedRead) {
    RunStep([this] {
        TestSettings(4, 0, 7, 1);
        SetShortPrint(1);
        SetRxBuffer(4096);
        SetNFrames(2);
        SetPrecTimerMarks(5, 5);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbRdEx(1, data, 4096, out)"});
        EXPECT_GT(ElapsedTimeDouble(), 0.001); // from the old start mark to the end of the read
        const int frames = GetNFrames() - 2;
        EXPECT_GT(frames, 0);
        // Whole frames of 512 payload bytes: 7 bytes of header, 2 of trailer.
        const int bytes = frames * 521;
        char last[16];
        std::snprintf(last, sizeof last, "\n%08X> ", bytes / 16 * 16);
        const std::string head = kStart + "\n00000000> AA FF FF 00 00 00 02 ";
        EXPECT_EQ(Info().substr(0, head.size()), head);
        EXPECT_NE(Info().find(last), std::string::npos) << last;
        EXPECT_EQ(Info().substr(Info().size() - kEnd.size()), kEnd);
        EXPECT_FALSE(EndsWithRateLine(Info()));
        EXPECT_EQ(GetWordCount(), 7);

        SetRxBuffer(300000);
        MarkCalls();
        usb_test();
        EXPECT_EQ(Calls(), std::vector<std::string>{"UsbRdEx(1, data, 262144, out)"});

        SetNFrames(3);
        bus::FailNextCall("UsbRdEx", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"UsbRdEx(1, data, 262144, out)", "USB_GetStatus(1, 0)",
                                            "PrintFrameInfo()", "USB_Perror(9)"}));
        EXPECT_EQ(Info().rfind("Processed frames before this error 3\n"
                               "Lost frames before this error 0\n"
                               "USB_GetStatus() = 0\n",
                               0),
                  0u)
            << Info();
        EXPECT_EQ(hl::Popups().size(), 1u);
        EXPECT_EQ(GetNFrames(), 3);
    });
}

// Fails when a word count outside 0 to 65536 reaches the byte count unclamped or is not kept
// as it was, or a failed allocation transfers, writes to the information box or loses the
// word count.
TEST_F(EngineSession, WordCountRangeAndAllocationFailure) {
    RunStep([this] {
        TestSettings(0, 2, 70000, 0);
        MarkCalls();
        usb_test();
        usb_test_raw();
        SetWordCount(-3);
        usb_test();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"UsbRd(1, 5, data, 262144)",
                                                     "USB_Read(1, data, 262144, out)",
                                                     "UsbRd(1, 5, data, 0)"}));
        EXPECT_EQ(GetWordCount(), -3);

        static int allocations;
        allocations = 0;
        // The first block is granted, the second refused.
        SetTransferBlockAllocator(
            [](size_t size) -> void* { return ++allocations % 2 == 1 ? malloc(size) : nullptr; });
        TestSettings(0, 1, 10, 1);
        MarkCalls();
        ClearInfo();
        ::testing::internal::CaptureStdout();
        usb_test();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Memory allocation error\n");
        EXPECT_EQ(Info(), "");
        EXPECT_EQ(GetWordCount(), 10);
        usb_test_raw();
        EXPECT_EQ(Info(), "Memory allocation error\n");
        EXPECT_TRUE(Calls().empty());
        EXPECT_EQ(GetWordCount(), 10);
        SetTransferBlockAllocator(nullptr);
    });
}

// Fails when the rate line takes the wrong form at the kilobyte boundary, or prints other
// figures than the documented format gives.
TEST_F(EngineSession, RateLineFormat) {
    RunStep([] {
        ClearInfo();
        SetPrecTimerMarks(0, 1000000000);
        PrintTransferRate(2048);
        PrintTransferRate(1024);
        PrintTransferRate(1025);
        SetPrecTimerMarks(0, 250000000);
        PrintTransferRate(0);
        PrintTransferRate(-3);
        EXPECT_EQ(Info(), " 2.000 KBytes/s -      1 s\n"
                          "1024.000 Bytes/s -      1 s\n"
                          " 1.001 KBytes/s -      1 s\n"
                          " 0.000 Bytes/s -   0.25 s\n"
                          "-12.000 Bytes/s -   0.25 s\n");
    });
}
