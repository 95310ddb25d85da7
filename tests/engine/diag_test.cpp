// The maintenance tools: the timer overhead check, the capture replay and the marker search,
// and the replay of a loop's capture.
#include "tests/support/EngineSession.h"

#include "core/IoMode.h"
#include "engine/OfflineDiag.h"

#include <optional>

namespace {

using Bytes = std::vector<unsigned char>;

// `count` frames of 512 payload bytes with counters from `first`.
Bytes Frames(unsigned first, unsigned count) {
    Bytes out;
    for (unsigned i = 0; i < count; ++i) {
        Bytes frame = bus::MakeFrame(first + i, Bytes(512, 0x5A));
        out.insert(out.end(), frame.begin(), frame.end());
    }
    return out;
}

// The figure after `label` in the text, or -1 when it is not there.
double Figure(const std::string& text, const std::string& label) {
    std::smatch m;
    return std::regex_search(text, m, std::regex(label + " = ([0-9.]+)\n")) ? std::stod(m[1]) : -1;
}

// Presses the setup panel's button on a fresh information box and returns its output.
std::string Press(int button) {
    ResetTextBox(GetMainPanelHandle(), MAINPANEL_INFOTEXTBOX, "");
    hl::Press(GetSetupPanelHandle(), button);
    return hl::Text(GetMainPanelHandle(), MAINPANEL_INFOTEXTBOX);
}

} // namespace

// Fails when the speed test does not print exactly two "Min val" lines in their two formats.
TEST_F(EngineSession, SpeedTestPrintsTwoMinValLines) {
    std::string out;
    RunMaintenanceStep([&] { out = Press(SETUPPANEL_SPEED_BTN); });
    const std::string head = R"(Min val [0-9.]+(e[-+][0-9]+)?s - )", tail = R"(\.[0-9]{6}\n)";
    EXPECT_TRUE(
        std::regex_match(out, std::regex(head + "[0-9]+" + tail + head + R"(0\.0[0-9]{5}\n)")))
        << out;
}

// Fails when the search miscounts AA FF FF or reports a stray AA at the wrong position, or the
// replay does not read 65535-byte blocks, loses a frame cut by a block boundary, misses lost
// frames and header and trailer errors, or does not give the reset counters (and the search
// "count = 0") when the capture is missing.
TEST_F(EngineSession, MarkerSearchAndReplayOfCaptures) {
    Bytes faulty = Frames(0, 10), tail = Frames(12, 5); // counters 10 and 11 missing,
    tail[1 * 521 + 519] ^= 0xFF;                        // a broken trailer,
    tail[3 * 521] = 0x00;                               // then a broken header
    faulty.insert(faulty.end(), tail.begin(), tail.end());
    Bytes badHeader = Frames(0, 3);
    badHeader[521 + 1] = 0x00;
    const int search = SETUPPANEL_COMMANDBUTTON, replay = SETUPPANEL_SIMUL_BTN;
    const struct {
        std::optional<Bytes> capture; // none: the file is removed
        int button;
        std::string text;
    } cases[] = {
        {Bytes{0xAA, 0xFF, 0xFF, 0xAA, 0xFF, 0xFF}, search, "count = 2\n"},
        {Bytes{0xAA, 0xAA, 0xFF, 0xFF}, search, "AAh at 00000002\ncount = 1\n"},
        {Bytes{0xAA, 0xFF, 0xAA, 0xFF, 0xFF}, search, "AAh at 00000003\ncount = 1\n"},
        {Bytes{0xAA, 0xFF, 0x00, 0xFF, 0xFF}, search, "count = 0\n"},
        {Bytes{0x00, 0xAA, 0xAA, 0xAA, 0xFF, 0xAA}, search,
         "AAh at 00000003\nAAh at 00000004\nAAh at 00000006\ncount = 0\n"},
        {Bytes{}, replay, "0\n" + Counters("0", 0, 0, 0)},
        {Bytes(65536, 0x00), replay, "0\n0\n" + Counters("0", 0, 1, 0)},
        // A whole block at the end still gives one more, empty, block.
        {Bytes(65535, 0x00), replay, "0\n0\n" + Counters("0", 0, 1, 0)},
        // 200 frames of 521 bytes: the first block of 65535 bytes ends inside frame 125.
        {Frames(0, 200), replay, "125\n200\n" + Counters("200", 0, 0, 0)},
        {faulty, replay, "14\n" + Counters("14", 3, 1, 1)},
        {badHeader, replay, "2\n" + Counters("2", 1, 1, 0)},
        {std::nullopt, replay, Counters("0", 0, 0, 0)},
        {std::nullopt, search, "count = 0\n"},
    };
    RunMaintenanceStep([&] {
        for (const auto& c : cases) {
            // Start-up has emptied the capture by then.
            std::filesystem::remove("USB_LogFile2.bin");
            if (c.capture)
                std::ofstream("USB_LogFile2.bin", std::ios::binary)
                    .write(reinterpret_cast<const char*>(c.capture->data()),
                           static_cast<std::streamsize>(c.capture->size()));
            EXPECT_EQ(Press(c.button), c.text) << "case " << &c - cases;
            if (c.capture && c.capture->size() == 200 * 521) {
                EXPECT_EQ(GetTotalByteCount(), 200u * 521u);
            }
        }
    });
}

// Fails when the capture the debug log keeps during an "Extended read" loop with frame faults
// does not replay to the loop's own frame total and fault counters, or the loop prints one
// counter in the place of another (each fault has its own count).
TEST_F(EngineSession, ReplayOfALoopsCaptureMatchesItsStatistics) {
    bus::DropFrames(0, 40, 3);
    bus::CorruptFrameHeaders(0, 90);
    bus::CorruptFrameTrailers(0, 130, 2);
    std::string loop, replay;
    RunMaintenanceStep([&] {
        const int setup = SetupHandle();
        hl::MarkOption(setup, SETUPPANEL_IOMODE, IOMODE_EXTENDED_READ);
        hl::Toggle(setup, SETUPPANEL_PRINTCHK, 0);
        hl::Toggle(setup, SETUPPANEL_LOOPCHECKBOX, 1);
        for (int tick = 0; tick < 12; ++tick)
            hl::TimerTick(setup, SETUPPANEL_TIMER);
        ClearInfo();
        hl::Toggle(setup, SETUPPANEL_LOOPCHECKBOX, 0);
        loop = Info();
        replay = Press(SETUPPANEL_SIMUL_BTN);
    });
    EXPECT_GT(Figure(loop, "Processed frames"), 150) << loop;
    for (const char* counter :
         {"Processed frames", "Lost frames", "Header errors", "Trailer errors"})
        EXPECT_EQ(Figure(replay, counter), Figure(loop, counter)) << counter << "\n" << replay;
    EXPECT_EQ(std::tuple(Figure(loop, "Lost frames"), Figure(loop, "Header errors"),
                         Figure(loop, "Trailer errors")),
              std::tuple(4, 1, 2));
}
