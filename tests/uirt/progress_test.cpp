// Long work's progress box (when it appears, how often it is updated, Stop, the end) and the quit
// signal (it stops long work, boxes after it go to the standard error, a second one ends).
#include "tests/support/CaptureOutput.h"
#include <gtest/gtest.h>

#include <csignal>

#include "TestPanel.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/headless/progress.h"
#include "platform/uirt/model/quitsignal.h"
#include "platform/uirt/model/uirt.h"

namespace hl = uirt::headless;

namespace {

std::int64_t nowMs = 0;

// Starts work at time 0, then updates it at each of the times (ms) with 10 % more done each
// time; returns the answers as 0/1 characters.
std::string WorkUpdatedAt(std::initializer_list<std::int64_t> times) {
    nowMs = 0;
    BeginProgress("Kestrel", "Writing");
    std::string answers;
    long long done = 0;
    for (const std::int64_t t : times) {
        nowMs = t;
        answers += UpdateProgress(done += 10, 100) ? '1' : '0';
    }
    return answers;
}

} // namespace

// Fails when the box shows for work under a second, is updated more often than every 50 ms,
// shows the wrong share, misses Stop, goes on after Stop, or is not closed at the end (or is
// closed without having been shown); or when a quit signal does not stop work before any box,
// a box still shows after it instead of its text going to the standard error (control
// characters escaped), or a confirmation nobody can answer is not taken as No.
TEST(Progress, BoxAfterASecondPacedStopAndQuitSignal) {
    StartTestPanel();
    uirt::SetProgressClock([] { return nowMs; });
    EXPECT_EQ(WorkUpdatedAt({0, 500, 999}), "000");
    EndProgress();
    EXPECT_TRUE(hl::ProgressShown().empty());
    hl::StopProgressAt(3);
    EXPECT_EQ(WorkUpdatedAt({999, 1000, 1049, 1050, 1100, 1149}), "000011");
    EndProgress();
    EXPECT_EQ(hl::ProgressShown(), (std::vector<std::string>{"open Kestrel: Writing", "update 20",
                                                             "update 40", "update 50", "close"}));

    EXPECT_EQ(WorkUpdatedAt({0}), "0");
    uirt::NoteQuitSignal(SIGTERM);
    EXPECT_EQ(UpdateProgress(2, 100), 1);
    EndProgress();
    hl::AnswerNextConfirm(true);
    EXPECT_EQ(CaptureOutput(STDERR_FILENO,
                            [] {
                                EXPECT_EQ(MessagePopup("Kestrel", "not saved\x1b[2J"), 0);
                                EXPECT_EQ(ConfirmPopup("Kestrel", "Exit?"), 0);
                            }),
              "Kestrel: not saved\\x1B[2J\nKestrel: Exit?\n");
    EXPECT_TRUE(hl::Popups().empty());
    hl::Reset();
}

// Fails when a second quit signal does not end the program at once.
TEST(QuitSignalDeathTest, SecondSignalEndsTheProgram) {
    EXPECT_EXIT(
        {
            uirt::NoteQuitSignal(SIGTERM);
            uirt::NoteQuitSignal(SIGINT);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGINT), "");
}
