// Quitting on a signal: settings that cannot be saved are said on the standard error, no box.
#include "kestrel_session.h"

#include "platform/uirt/model/quitsignal.h"

#include <csignal>

// Fails when a quit by signal with a kestrel.cfg that cannot be saved waits on a "Kestrel" box
// (nobody would answer it) instead of saying the problem on the standard error.
TEST_F(KestrelSession, QuitBySignalSaysUnsavedSettingsOnStandardError) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    std::filesystem::create_directory("kestrel.cfg"); // cannot be replaced by a file
    Then([] {
        uirt::NoteQuitSignal(SIGTERM);
        QuitUserInterface(0);
    });
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(KestrelMain(), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(hl::Popups().empty());
    EXPECT_TRUE(said.starts_with("Kestrel: The settings could not be saved to ")) << said;
}
