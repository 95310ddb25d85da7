// Data checking in the transfer tests: nothing changes with it off; pseudo-random data, the
// verification of read-backs, raw streams and frame payloads, and the loop's totals with it on.
#include "tests/support/EngineSession.h"

#include "check/Prbs.h"
#include "core/AdditionSettings.h"
#include "engine/TestData.h"
#include "engine/UsbTest.h"
#include "tests/engine/Settings.h"

namespace {

void Choose(int verify, int prbsData, int order = 31) {
    for (auto [key, value] : {std::pair(settings::kVerify, verify),
                              {settings::kPrbsData, prbsData},
                              {settings::kPrbsOrder, order}})
        settings::Additions().set(key, value);
}

// The text without its "Verify" lines, the rate line's figures (real time) masked.
std::string WithoutVerifyLines(const std::string& text) {
    const std::string rate =
        std::regex_replace(text, std::regex("[0-9.]+ (K?)Bytes/s - +[-0-9.e+]+ s"), "RATE");
    return std::regex_replace(rate, std::regex("(^|\n)Verify[^\n]*\n"), "$1");
}

// Runs `ticks` ticks of a loop in the I/O mode `mode`, and stops it.
void RunLoop(int mode, int ticks) {
    hl::MarkOption(GetSetupPanelHandle(), SETUPPANEL_IOMODE, mode);
    hl::Toggle(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX, 1);
    for (int i = 0; i < ticks; ++i)
        hl::TimerTick(GetSetupPanelHandle(), SETUPPANEL_TIMER);
    hl::Toggle(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
}

class DataCheckSession : public EngineSession {
  protected:
    // Replaces the fixture's board with one set up for the test.
    void UseBoard(const corvousb::BoardSetup& setup) {
        bus::ResetBus();
        board_ = bus::AddBoard(setup);
    }
    static void Transfer(void (*test)(void), int mode, int words, int print) {
        Apply(SetIOMode, mode, SetSubAddress, 5, SetWordSize, 0, SetWordCount, words, SetPrintState,
              print);
        ClearInfo();
        test();
    }
};

} // namespace

// Fails when Verify adds a library call, or changes or drops any text of any mode of either test
// (with Verify off the texts are the described ones, which the other engine tests check), or
// when the report of a clean transfer is missing; or when pseudo-random data does not replace
// the data type's, does not continue across a loop's blocks, or does not restart outside a loop.
TEST_F(DataCheckSession, VerifyOnlyAddsItsLines) {
    UseBoard({.rawPrbs = 31});
    RunStep([&] {
        for (auto test : {usb_test, usb_test_raw})
            for (int mode = 0; mode <= 4; ++mode) {
                SCOPED_TRACE(std::to_string(mode) + (test == usb_test ? " sub" : " raw"));
                std::string text[2];
                std::vector<std::string> calls[2];
                for (int verify : {0, 1}) {
                    Choose(verify, 0);
                    MarkCalls();
                    // What the board sends in these modes differs from run to run: no dump.
                    Transfer(test, mode, 64, mode != 0 && mode != 4);
                    text[verify] = Info();
                    calls[verify] = Calls();
                }
                EXPECT_EQ(calls[1], calls[0]);
                EXPECT_EQ(WithoutVerifyLines(text[1]), WithoutVerifyLines(text[0]));
                const bool checked = mode == 3 || (test == usb_test_raw && mode == 0) ||
                                     (test == usb_test && mode == 4);
                EXPECT_EQ(text[1].find("Verify: ") != std::string::npos, checked) << text[1];
            }

        // Pseudo-random data replaces the data type's, continues across a loop's blocks and
        // restarts outside a loop.
        Choose(0, 1, 15);
        std::vector<std::uint8_t> expected(96), got(96);
        check::PrbsGenerator(15).fill(expected);
        SetWordCount(48);
        for (int loop : {0, 0, 1}) { // outside a loop: from the seed again
            SetLoopState(loop);
            FillBuffer(got.data() + 48 * loop);
        }
        SetLoopState(0);
        EXPECT_EQ(got, expected);
    });
}

// Fails when a read-back's error is not reported at its offset with the bytes not read back,
// after the rate line.
TEST_F(DataCheckSession, ReadBackErrorsAfterTheRateLine) {
    UseBoard({.dropEvery = 1000});
    RunStep([&] {
        Choose(1, 1);
        Transfer(usb_test_raw, 3, 4096, 0);
        EXPECT_TRUE(std::regex_search(
            Info(),
            std::regex("Bytes/s - +[-0-9.e+]+ s\nVerify: [0-9]+ bytes wrong of 4092 \\([0-9]+ "
                       "bits, bit error rate [0-9.e+-]+\\); first at offset 0x0003E7: "
                       "wrote [0-9A-F]{2}, read [0-9A-F]{2}\nVerify: 4 bytes of 4096 not "
                       "read back\n$")))
            << Info();
    });
}

// Fails when a raw stream's re-locks are not counted over a loop, or the totals do not end the
// loop's output.
TEST_F(DataCheckSession, LoopTotalsOfAStream) {
    UseBoard({.rawPrbs = 31, .dropEvery = 5000});
    RunStep([&] {
        Choose(1, 0);
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 0);
        hl::EnterValue(SetupHandle(), SETUPPANEL_WORDCOUNT, 4096);
        RunLoop(0, 3);
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 1); // the flag outlives the session
        const std::string text = Info();
        EXPECT_TRUE(
            text.ends_with(" s\nVerify: 4095 bytes compared, no error\nVerify: 1 re-locks on "
                           "PRBS-31, 0 bytes unchecked\nVerify total: 12286 bytes compared, "
                           "no error\nVerify total: 2 re-locks on PRBS-31, 0 bytes "
                           "unchecked\n"))
            << text;
    });
}

// Fails when the totals of a loop's frame payloads do not follow the statistics.
TEST_F(DataCheckSession, FramePayloadTotalsOfALoop) {
    UseBoard({.bitErrorRate = 1e-4});
    RunStep([&] {
        Choose(1, 0);
        ClearInfo();
        RunLoop(4, 20);
        EXPECT_TRUE(std::regex_search(
            Info(), std::regex("\nSpeed [0-9.]+ b/s\nVerify total: [0-9]+ bytes wrong of [0-9]+ "
                               "in [0-9]+ frames \\([0-9]+ bits, bit error rate [0-9.]+e-0[45]\\)"
                               "; first at offset 0x[0-9A-F]{6}: expected [0-9A-F]{2}, read "
                               "[0-9A-F]{2}\n$")))
            << Info();
    });
}
