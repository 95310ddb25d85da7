// Long work's progress box (when it appears, how often it is updated, Stop, the end) and the quit
// signal (it stops long work, boxes after it go to the standard error, a second one ends).
#include <gtest/gtest.h>

#include <csignal>

#include "TestPanel.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/headless/progress.h"
#include "platform/uirt/model/quitsignal.h"
#include "platform/uirt/model/uirt.h"

namespace hl = uirt::headless;
using Strings = std::vector<std::string>;

namespace {

std::int64_t nowMs = 0;

class Progress : public ::testing::Test {
  protected:
    void SetUp() override {
        StartTestPanel();
        nowMs = 0;
        uirt::SetProgressClock([] { return nowMs; });
    }
    void TearDown() override { hl::Reset(); }
    // Updates with `done` of 100 at each of the times (ms); the answers, as 0/1 characters.
    static std::string UpdateAt(std::initializer_list<std::int64_t> times) {
        std::string answers;
        long long done = 0;
        for (const std::int64_t t : times) {
            nowMs = t;
            answers += UpdateProgress(done += 10, 100) ? '1' : '0';
        }
        return answers;
    }
};

} // namespace

// Fails when the box shows for work under a second, is updated more often than every 50 ms,
// shows the wrong share, misses Stop, goes on after Stop, or is not closed at the end (or is
// closed without having been shown).
TEST_F(Progress, BoxAfterASecondPacedUpdatesAndStop) {
    BeginProgress("Kestrel", "short work");
    EXPECT_EQ(UpdateAt({0, 500, 999}), "000");
    EndProgress();
    EXPECT_TRUE(hl::ProgressShown().empty());

    hl::StopProgressAt(3);
    nowMs = 0;
    BeginProgress("Kestrel", "Writing");
    EXPECT_EQ(UpdateAt({999, 1000, 1049, 1050, 1100, 1149, 1200}), "0000111");
    EXPECT_EQ(UpdateProgress(100, 100), 1) << "a stop is kept until the work ends";
    EndProgress();
    EXPECT_EQ(hl::ProgressShown(),
              (Strings{"open Kestrel: Writing", "update 20", "update 40", "update 50", "close"}));
    EXPECT_EQ(UpdateProgress(1, 2), 0) << "no work, nothing to stop";
}

// Fails when a quit signal does not stop long work at once (before any box), when a box is
// still shown after it instead of its text going to the standard error with its control
// characters escaped, or when a confirmation nobody can answer is not taken as No.
TEST_F(Progress, QuitSignalStopsWorkAndBoxesGoToStandardError) {
    BeginProgress("Kestrel", "Writing");
    EXPECT_EQ(UpdateProgress(1, 100), 0);
    uirt::NoteQuitSignal(SIGTERM);
    EXPECT_EQ(uirt::QuitSignal(), SIGTERM);
    EXPECT_EQ(UpdateProgress(2, 100), 1);
    EndProgress();
    ::testing::internal::CaptureStderr();
    hl::AnswerNextConfirm(true);
    EXPECT_EQ(MessagePopup("Kestrel", "not saved\x1b[2J"), 0);
    EXPECT_EQ(ConfirmPopup("Kestrel", "Exit?"), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Kestrel: not saved\\x1B[2J\nKestrel: Exit?\n");
    EXPECT_TRUE(hl::Popups().empty());
    EXPECT_TRUE(hl::ProgressShown().empty());
    uirt::ForgetQuitSignal();
    EXPECT_FALSE(uirt::SayOnStandardError("Kestrel", "text"));
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
