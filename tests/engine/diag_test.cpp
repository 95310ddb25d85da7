// The maintenance tools: the timer overhead check, the capture replay and the marker search,
// and the replay of a loop's capture.
#include "tests/app/kestrel_session.h"

#include "engine/OfflineDiag.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

#include <regex>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

class Diagnostics : public KestrelSession {
  protected:
    // Runs Kestrel with the maintenance buttons shown; each step's output is collected.
    int RunForMaintenance() {
        hl::Script([] { hl::ChooseMenuItem("MENUBAR_FILEMENU_EXIT"); });
        return KestrelMain(1);
    }
    // Writes the capture (start-up has emptied it by then), presses the button, returns its output.
    static std::string PressOn(const Bytes& capture, int button) {
        std::ofstream("USB_LogFile2.bin", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(capture.data()),
                   static_cast<std::streamsize>(capture.size()));
        return Press(button);
    }
    static std::string Press(int button) {
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, "");
        hl::Press(SetupHandle(), button);
        return InfoText();
    }
    // `count` frames of 512 payload bytes with counters from `first`.
    static Bytes Frames(unsigned first, unsigned count) {
        Bytes out;
        const Bytes payload(512, 0x5A);
        for (unsigned i = 0; i < count; ++i) {
            Bytes frame = bus::MakeFrame(first + i, payload);
            out.insert(out.end(), frame.begin(), frame.end());
        }
        return out;
    }
    static std::string Summary(int frames, int lost, int headers, int trailers) {
        return "Processed frames = " + std::to_string(frames) +
               "\nLost frames = " + std::to_string(lost) +
               "\nHeader errors = " + std::to_string(headers) +
               "\nTrailer errors = " + std::to_string(trailers) + "\n";
    }
};

// Fails when the speed test does not print exactly two "Min val" lines in their two formats.
TEST_F(Diagnostics, SpeedTestPrintsTwoMinValLines) {
    AddBoard("Lab board", "LAB00001");
    std::string out;
    Then([&] { out = Press(SETUPPANEL_SPEED_BTN); });
    RunForMaintenance();
    const std::regex line(R"(Min val ([0-9.]+(e[-+][0-9]+)?)s - ([0-9]+\.[0-9]{6})\n)");
    std::smatch first, second;
    ASSERT_TRUE(std::regex_search(out, first, line)) << out;
    const std::string rest = first.suffix();
    ASSERT_TRUE(std::regex_match(rest, second, line)) << out;
    EXPECT_EQ(first.prefix().str(), "");
    EXPECT_GE(std::stod(first[1]), 0.0);
    EXPECT_LT(std::stod(second[3]), 0.1);
}

// Fails when the search miscounts AA FF FF or reports a stray AA at the wrong position.
TEST_F(Diagnostics, MarkerSearchCountsSequencesAndStrayAA) {
    AddBoard("Lab board", "LAB00001");
    std::vector<std::string> out;
    Then([&] {
        for (const Bytes& capture :
             {Bytes{0xAA, 0xFF, 0xFF, 0xAA, 0xFF, 0xFF}, Bytes{0xAA, 0xAA, 0xFF, 0xFF},
              Bytes{0xAA, 0xFF, 0xAA, 0xFF, 0xFF}, Bytes{0xAA, 0xFF, 0x00, 0xFF, 0xFF},
              Bytes{0x00, 0xAA, 0xAA, 0xAA, 0xFF, 0xAA}})
            out.push_back(PressOn(capture, SETUPPANEL_COMMANDBUTTON));
    });
    RunForMaintenance();
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0], "count = 2\n");
    EXPECT_EQ(out[1], "AAh at 00000002\ncount = 1\n");
    EXPECT_EQ(out[2], "AAh at 00000003\ncount = 1\n");
    EXPECT_EQ(out[3], "count = 0\n");
    EXPECT_EQ(out[4], "AAh at 00000003\nAAh at 00000004\nAAh at 00000006\ncount = 0\n");
}

// Fails when the replay does not read 65535-byte blocks, loses a frame cut by a block boundary,
// or misses lost frames and header and trailer errors.
TEST_F(Diagnostics, ReplayCountsFramesAcrossBlocks) {
    AddBoard("Lab board", "LAB00001");
    std::vector<std::string> out;
    unsigned totalBytes = 0;
    Then([&] {
        out.push_back(PressOn({}, SETUPPANEL_SIMUL_BTN));
        out.push_back(PressOn(Bytes(65536, 0x00), SETUPPANEL_SIMUL_BTN));
        // A whole block at the end still gives one more, empty, block.
        out.push_back(PressOn(Bytes(65535, 0x00), SETUPPANEL_SIMUL_BTN));
        // 200 frames of 521 bytes: the first block of 65535 bytes ends inside frame 125.
        out.push_back(PressOn(Frames(0, 200), SETUPPANEL_SIMUL_BTN));
        totalBytes = GetTotalByteCount();
        // Counters 10 and 11 missing, a broken trailer, then a broken header.
        Bytes faulty = Frames(0, 10);
        Bytes tail = Frames(12, 5);
        tail[1 * 521 + 519] ^= 0xFF;
        tail[3 * 521] = 0x00;
        faulty.insert(faulty.end(), tail.begin(), tail.end());
        out.push_back(PressOn(faulty, SETUPPANEL_SIMUL_BTN));
    });
    RunForMaintenance();
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0], "0\n" + Summary(0, 0, 0, 0));
    EXPECT_EQ(out[1], "0\n0\n" + Summary(0, 0, 1, 0));
    EXPECT_EQ(out[2], "0\n0\n" + Summary(0, 0, 1, 0));
    EXPECT_EQ(out[3], "125\n200\n" + Summary(200, 0, 0, 0));
    EXPECT_EQ(totalBytes, 200u * 521u);
    EXPECT_EQ(out[4], "14\n" + Summary(14, 3, 1, 1));
}

// Fails when a missing capture does not give the summary with every counter as reset, or the
// search does not print "count = 0".
TEST_F(Diagnostics, MissingCaptureGivesResetCounters) {
    AddBoard("Lab board", "LAB00001");
    std::string faulty, replay, search;
    Then([&] {
        Bytes capture = Frames(0, 3);
        capture[521 + 1] = 0x00;
        faulty = PressOn(capture, SETUPPANEL_SIMUL_BTN);
        std::filesystem::remove("USB_LogFile2.bin");
        replay = Press(SETUPPANEL_SIMUL_BTN);
        search = Press(SETUPPANEL_COMMANDBUTTON);
    });
    RunForMaintenance();
    EXPECT_EQ(faulty, "2\n" + Summary(2, 1, 1, 0));
    EXPECT_EQ(replay, Summary(0, 0, 0, 0));
    EXPECT_EQ(search, "count = 0\n");
}

// The figure after `label` in the text, or -1 when it is not there.
double Figure(const std::string& text, const std::string& label) {
    const std::regex line(label + " = ([0-9.]+)\n");
    std::smatch m;
    return std::regex_search(text, m, line) ? std::stod(m[1]) : -1;
}

// Fails when the capture the debug log keeps during an "Extended read" loop with frame faults
// does not replay to the loop's own frame total and fault counters.
TEST_F(Diagnostics, ReplayOfALoopsCaptureMatchesItsStatistics) {
    int board = AddBoard("Lab board", "LAB00001");
    bus::DropFrames(board, 40, 3);
    bus::CorruptFrameHeaders(board, 90);
    bus::CorruptFrameTrailers(board, 130);
    std::string loop, replay;
    Then([&] {
        const int setup = SetupHandle();
        hl::MarkOption(setup, SETUPPANEL_IOMODE, 4);
        hl::Toggle(setup, SETUPPANEL_PRINTCHK, 0);
        hl::Toggle(setup, SETUPPANEL_LOOPCHECKBOX, 1);
        for (int tick = 0; tick < 12; ++tick)
            hl::TimerTick(setup, SETUPPANEL_TIMER);
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, "");
        hl::Toggle(setup, SETUPPANEL_LOOPCHECKBOX, 0);
        loop = InfoText();
        replay = Press(SETUPPANEL_SIMUL_BTN);
    });
    RunForMaintenance();
    const double frames = Figure(loop, "Processed frames");
    EXPECT_GT(frames, 150) << loop;
    EXPECT_EQ(Figure(replay, "Processed frames"), frames) << replay;
    for (const char* counter : {"Lost frames", "Header errors", "Trailer errors"})
        EXPECT_EQ(Figure(replay, counter), Figure(loop, counter)) << counter << "\n" << replay;
    EXPECT_EQ(Figure(loop, "Lost frames"), 4);
    EXPECT_EQ(Figure(loop, "Header errors"), 1);
    EXPECT_EQ(Figure(loop, "Trailer errors"), 1);
}

} // namespace
