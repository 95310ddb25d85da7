// The folders of an installed Kestrel: where the help pages are found (--help-pages prints it)
// and the per-user working folder of a desktop start (0700, never through a link, only the
// user's own) that --desktop enters.
#include "app/CommandLine.h"
#include "app/UserFolder.h"
#include "tests/support/CaptureOutput.h"
#include "ui/HelpFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// A fresh scratch folder; ReadCommandLine for "kestrel <option>".
static fs::path ScratchFolder(const char* name) {
    fs::path folder = fs::path(::testing::TempDir()) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}
static int ReadOption(std::string option, int* exitCode) {
    std::string arg0 = "kestrel";
    char* argv[] = {arg0.data(), option.data()};
    int maintenance = -1;
    return ReadCommandLine(2, argv, &maintenance, exitCode);
}

// Fails when a place that holds the pages is skipped, the order build copy, installed data
// folder, source tree is broken, or --help-pages does not print the folder the window would use.
TEST(HelpFolder, FirstPlaceThatHoldsThePages) {
    const fs::path scratch = ScratchFolder("kestrel-help"), bin = scratch / "usr/bin",
                   src = scratch / "src";
    std::vector<fs::path> found;
    for (fs::path made : {bin, src / "Help", scratch / "usr/share/kestrel/Help", bin / "Help"}) {
        fs::create_directories(made);
        found.push_back(FindHelpBase(bin, "../share/kestrel", src));
    }
    EXPECT_EQ(found, (std::vector<fs::path>{{}, src, scratch / "usr/share/kestrel", bin}));
    int exitCode = -1; // the test program has no copy of the pages: the source's are used
    EXPECT_EQ(
        CaptureOutput(STDOUT_FILENO, [&] { EXPECT_EQ(ReadOption("--help-pages", &exitCode), 0); }),
        (fs::path(KESTREL_SOURCE_DIR) / "Help").string() + "\n");
    EXPECT_EQ(exitCode, 0);
}

// Fails when a relative XDG_STATE_HOME is used, the fallback under HOME is wrong, the folders are
// not created private and entered, when XDG_STATE_HOME (a link the user chose) is not followed,
// or when --desktop does not enter the folder; or when Kestrel's folders are entered through a
// link, a file stands for one, a folder of another user is used, or a refused folder lets the
// program run.
TEST(UserFolder, PrivateOwnFolderNeverThroughALink) {
    EXPECT_EQ(
        (std::vector<std::string>{UserFolderPath("/s", "/h"), UserFolderPath("state", "/h"),
                                  UserFolderPath(nullptr, "h"), UserFolderPath(nullptr, nullptr)}),
        (std::vector<std::string>{"/s/kestrel", "/h/.local/state/kestrel", "", ""}));
    const fs::path scratch = ScratchFolder("kestrel-user"), start = fs::current_path();
    setenv("HOME", (scratch / "home").c_str(), 1);
    unsetenv("XDG_STATE_HOME");
    int exitCode = -1;
    EXPECT_EQ(ReadOption("--desktop", &exitCode), 1);
    EXPECT_EQ(fs::current_path(), scratch / "home/.local/state/kestrel");
    for (const char* part : {".local", ".local/state", ".local/state/kestrel"})
        EXPECT_EQ(fs::status(scratch / "home" / part).permissions(), fs::perms::owner_all) << part;

    const fs::path home = scratch / "other", state = home / ".local/state",
                   mine = state / "kestrel";
    setenv("HOME", home.c_str(), 1);
    fs::create_directories(scratch / "elsewhere/state/kestrel");
    fs::create_directories(home);
    fs::create_directory_symlink(scratch / "elsewhere", home / ".local");
    EXPECT_EQ(
        CaptureOutput(STDERR_FILENO, [&] { EXPECT_EQ(ReadOption("--desktop", &exitCode), 0); }),
        "kestrel: cannot use the folder " + mine.string() +
            ": a part of it is a symbolic link or not a folder\n");
    EXPECT_EQ(exitCode, 1);
    char problem[256];
    fs::remove(home / ".local");
    fs::create_directories(state);
    fs::create_directory_symlink(scratch / "elsewhere", mine);
    EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 0) << "kestrel is a link";
    fs::remove(mine);
    fclose(fopen(mine.c_str(), "w"));
    EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 0) << "kestrel is a file";
    if (geteuid() == 0) {
        fs::remove(mine);
        fs::create_directory(mine);
        ASSERT_EQ(chown(mine.c_str(), 65534, 65534), 0);
        EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 0);
        EXPECT_EQ(std::string(problem),
                  "cannot use the folder " + mine.string() + ": it belongs to another user");
    }
    EXPECT_EQ(fs::current_path(), scratch / "home/.local/state/kestrel");
    fs::create_directory_symlink(scratch / "home", scratch / "state");
    setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);
    EXPECT_EQ(EnterUserFolder(problem, sizeof problem), 1) << problem;
    EXPECT_EQ(fs::current_path(), scratch / "home/kestrel");
    fs::current_path(start);
}
