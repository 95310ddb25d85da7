// The per-user working folder of a desktop start: its path from the XDG variables, its creation
// (0700, never through a link, only the user's own) and the --desktop option that enters it.
#include "app/UserFolder.h"
#include "tests/support/CaptureOutput.h"

#include "packaging_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Fails when a relative XDG_STATE_HOME is used, or the fallback under HOME is wrong.
TEST(UserFolder, PathFromTheEnvironment) {
    EXPECT_EQ(UserFolderPath("/s", "/h"), "/s/kestrel");
    EXPECT_EQ(UserFolderPath("state", "/h"), "/h/.local/state/kestrel");
    EXPECT_EQ(UserFolderPath(nullptr, "/h"), "/h/.local/state/kestrel");
    EXPECT_EQ(UserFolderPath(nullptr, "h"), "");
    EXPECT_EQ(UserFolderPath(nullptr, nullptr), "");
}

// Fails when the folders are not created private and entered, when XDG_STATE_HOME (a link the
// user chose) is not followed, or when --desktop does not enter the folder.
TEST(UserFolder, CreatesPrivateFoldersAndEntersThem) {
    const fs::path scratch = ScratchFolder(), start = fs::current_path();
    setenv("HOME", (scratch / "home").c_str(), 1);
    unsetenv("XDG_STATE_HOME");
    int exitCode = -1;
    EXPECT_EQ(ReadOption("--desktop", &exitCode), 1);
    EXPECT_EQ(fs::current_path(), scratch / "home/.local/state/kestrel");
    for (const char* part : {".local", ".local/state", ".local/state/kestrel"}) {
        struct stat st {};
        EXPECT_EQ(stat((scratch / "home" / part).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0700u) << part;
    }
    fs::create_directory_symlink(scratch / "home", scratch / "state");
    setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);
    char problem[256];
    EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 1) << problem;
    EXPECT_EQ(fs::current_path(), scratch / "home/kestrel");
    fs::current_path(start);
}

// Fails when Kestrel's folders are entered through a link, a file stands for one, a folder of
// another user is used, or a refused folder lets the program run.
TEST(UserFolder, RefusesLinksFilesAndOtherUsersFolders) {
    const fs::path scratch = ScratchFolder(), start = fs::current_path();
    const fs::path home = scratch / "home", state = home / ".local/state";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_STATE_HOME");
    fs::create_directories(scratch / "elsewhere/state/kestrel");
    fs::create_directories(home);
    fs::create_directory_symlink(scratch / "elsewhere", home / ".local");
    int exitCode = -1;
    EXPECT_EQ(
        CaptureOutput(STDERR_FILENO, [&] { EXPECT_EQ(ReadOption("--desktop", &exitCode), 0); }),
        "kestrel: cannot use the folder " + (state / "kestrel").string() +
            ": a part of it is a symbolic link or not a folder\n");
    EXPECT_EQ(exitCode, 1);

    char problem[256];
    fs::remove(home / ".local");
    fs::create_directories(state);
    fs::create_directory_symlink(scratch / "elsewhere", state / "kestrel");
    EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 0) << "kestrel is a link";
    fs::remove(state / "kestrel");
    std::ofstream(state / "kestrel") << "";
    EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 0) << "kestrel is a file";
    if (geteuid() == 0) {
        fs::remove(state / "kestrel");
        fs::create_directory(state / "kestrel");
        ASSERT_EQ(chown((state / "kestrel").c_str(), 65534, 65534), 0);
        EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 0);
        EXPECT_STREQ(problem, ("cannot use the folder " + (state / "kestrel").string() +
                               ": it belongs to another user")
                                  .c_str());
    }
    EXPECT_EQ(fs::current_path(), start);
}

} // namespace
