// The raw FIFO transfer test in each I/O mode: library calls, warnings, dumps, rate lines and
// error reports.
#include "engine_session.h"

#include "engine/TransferRun.h"
#include "engine/UsbTest.h"

namespace {

const std::string kStart = "\n**** Start of dump";
const std::string kEnd = "\n**** End of dump\n\n";

void RawSettings(int mode, int words, int print) {
    SetIOMode(mode);
    SetPatternMode(0);
    SetWordSize(0);
    SetWordCount(words);
    SetPrintState(print);
    SetShortPrint(0);
    SetMSBFirst(0);
    SetStartVal(0x40);
    SetIncrement(1);
}

} // namespace

// Fails when "<Wr/Rd byte>" or "Extended read" does anything at all in the raw test, even
// allocate its blocks.
TEST_F(EngineSession, RawModesThatDoNothing) {
    RunStep([this] {
        SetTransferBlockAllocator([](size_t) -> void* { return nullptr; });
        for (int mode : {2, 4}) {
            RawSettings(mode, 70000, 1);
            MarkCalls();
            ClearInfo();
            usb_test_raw();
            EXPECT_TRUE(Calls().empty());
            EXPECT_EQ(Info(), "");
            EXPECT_EQ(GetWordCount(), 70000);
        }
        SetTransferBlockAllocator(nullptr);
    });
}

// Fails when the raw "<Read>" asks for the wrong count, misses a warning, prints a rate after
// a failure, or reports the failure other than through the error box.
TEST_F(EngineSession, RawRead) {
    RunStep([this] {
        const unsigned char sent[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        bus::SendUnasked(board_, sent);
        RawSettings(0, 4, 1);
        SetWordSize(1);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(), std::vector<std::string>{"USB_Read(1, data, 8, out)"});
        const std::string dump = kStart + "\n00000000> 0201 0403 0605 0807 " + kEnd;
        EXPECT_EQ(Info().substr(0, dump.size()), dump);
        EXPECT_NEAR(RateFigure(Info()), 8, 0.01);
        EXPECT_EQ(GetWordCount(), 4);

        bus::SendUnasked(board_, std::span(sent, 3));
        RawSettings(0, 8, 0);
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Info().rfind("Warning : only 3 bytes of 8 were read\n", 0), 0u) << Info();
        EXPECT_NEAR(RateFigure(Info()), 3, 0.01);

        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Info().rfind("Warning : 0 bytes read\n 0.000 Bytes/s - ", 0), 0u) << Info();

        bus::FailNextCall("USB_Read", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"USB_Read(1, data, 8, out)", "USB_Perror(9)"}));
        EXPECT_EQ(Info(), "");
        EXPECT_EQ(Popups("USB Error"), 1u);
    });
}

// Fails when the raw "<Write>" sends other data, or leaves out the rate after nothing was
// written or after a failure.
TEST_F(EngineSession, RawWrite) {
    RunStep([this] {
        RawSettings(1, 3, 1);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(), std::vector<std::string>{"USB_Write(1, data, 3, out)"});
        const std::string dump = kStart + "\n00000000> 40 41 42 " + kEnd;
        EXPECT_EQ(Info().substr(0, dump.size()), dump);
        EXPECT_NEAR(RateFigure(Info()), 3, 0.01);
        // The board loops raw data back.
        RawSettings(0, 3, 1);
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Info().substr(0, dump.size()), dump);

        RawSettings(1, 0, 1);
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Info().rfind("Warning : 0 bytes written 0.000 Bytes/s - ", 0), 0u) << Info();

        RawSettings(1, 3, 1);
        bus::RefuseEveryByte(board_);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"USB_Write(1, data, 3, out)", "USB_Perror(21)"}));
        EXPECT_EQ(Popups("USB Error"), 1u);
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_EQ(RateFigure(Info()), 0.0);
    });
}

// Fails when the raw "<Wr/Rd burst>" does not time write and read together, prints the dumps
// before the read or in the wrong order, reads after a failed write, or skips the rate after a
// failed read.
TEST_F(EngineSession, RawBurst) {
    RunStep([this] {
        RawSettings(3, 4, 1);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(), (std::vector<std::string>{"USB_Write(1, data, 4, out)",
                                                     "USB_Read(1, data, 4, out)"}));
        const std::string dump = kStart + "\n00000000> 40 41 42 43 " + kEnd;
        const std::string both = "\nWrote..." + dump + "Read..." + dump;
        EXPECT_EQ(Info().substr(0, both.size()), both);
        EXPECT_TRUE(EndsWithRateLine(Info().substr(both.size())));
        EXPECT_NEAR(RateFigure(Info()), 4, 0.01);

        RawSettings(3, 4, 0);
        ClearInfo();
        usb_test_raw();
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_EQ(Info().find("Wrote"), std::string::npos);

        bus::FailNextCall("USB_Write", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"USB_Write(1, data, 4, out)", "USB_Perror(9)"}));
        EXPECT_EQ(Info(), "");

        RawSettings(3, 4, 1);
        bus::FailNextCall("USB_Read", CORVOUSB_ERR_IO);
        MarkCalls();
        ClearInfo();
        usb_test_raw();
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"USB_Write(1, data, 4, out)",
                                            "USB_Read(1, data, 4, out)", "USB_Perror(9)"}));
        EXPECT_EQ(Info().substr(0, 9 + dump.size()), "\nWrote..." + dump);
        EXPECT_EQ(Info().find("Read..."), std::string::npos);
        EXPECT_TRUE(EndsWithRateLine(Info()));
        EXPECT_EQ(Popups("USB Error"), 2u);
    });
}
