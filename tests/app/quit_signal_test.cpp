// Quitting on a signal: settings that cannot be saved are said on the standard error, no box.
#include "tests/support/CaptureOutput.h"
#include "tests/support/KestrelSession.h"

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
    const std::string said = CaptureOutput(STDERR_FILENO, [] { EXPECT_EQ(KestrelMain(), 0); });
    EXPECT_TRUE(hl::Popups().empty());
    EXPECT_TRUE(said.starts_with("Kestrel: The settings could not be saved to ")) << said;
}
