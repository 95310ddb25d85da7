// Replacing a file whole: temporary files of its own, links and leftovers left alone, modes kept.
#include "platform/files/AtomicFile.h"
#include "tests/support/ScratchDir.h"

#include <cerrno>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;
using AtomicFile = InScratchDir;

// Fails when the old file is not replaced whole, loses its mode or owner, a link or a FIFO at the
// file's name is followed, files, links or FIFOs that killed writers left at temporary names are
// opened, written or stop the save, or a save leaves a file of its own behind.
TEST_F(AtomicFile, ReplacesWholeKeepingModeAndOwnerPastLeftovers) {
    ::WriteFile("victim", "keep me");
    ::WriteFile("file", "a longer old text");
    fs::create_symlink("victim", "file.tmp");
    fs::create_symlink("victim", "link");
    ASSERT_EQ(::mkfifo("fifo", 0600) + ::mkfifo("file.tmp1", 0600), 0);
    ::WriteFile("file.tmp2", "left");
    fs::permissions("file", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool handedOver = ::chown("file", 4321, 4321) == 0; // only root may
    struct stat like {};
    ASSERT_EQ(::stat("file", &like), 0);
    alarm(10); // a FIFO that is opened blocks
    EXPECT_EQ(files::Replace("file", "new", &like) + files::Replace("link", "linked") +
                  files::Replace("fifo", "no FIFO"),
              0);
    alarm(0);
    struct stat now {};
    ASSERT_EQ(::stat("file", &now), 0);
    EXPECT_EQ(std::tuple(ReadFile("file"), now.st_mode & 07777, !handedOver || now.st_uid == 4321u,
                         ReadFile("victim"), ReadFile("link"), ReadFile("fifo")),
              std::tuple("new", 0640u, true, "keep me", "linked", "no FIFO"));
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator("."))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"victim", "file", "file.tmp", "link", "fifo",
                                            "file.tmp1", "file.tmp2"}));

    // Fails when a read-only file or folder is not refused (for root too, whom the system lets
    // write anything), or a save into a missing folder reports success.
    ::WriteFile("file", "old");
    struct stat st {};
    fs::permissions("file", fs::perms::owner_read);
    ASSERT_EQ(::stat("file", &st), 0);
    EXPECT_EQ(files::WriteRefusal("file", st), EACCES);
    fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_EQ(::stat(".", &st), 0);
    const int folder = files::WriteRefusal(".", st);
    fs::permissions(".", fs::perms::owner_all);
    EXPECT_EQ(std::pair(folder, files::Replace("none/file", "x")), std::pair(EACCES, ENOENT));
}
