// kestrel.cfg: files that are no settings file, files the user may not write, links and
// failed writes are left as they are, with a reason for the user.
#include "config_dir.h"

#include "core/Kestrel_core.h"

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class ConfigSafety : public ConfigDir {
  protected:
    std::string Path(const std::string& name) const {
        return fs::canonical(".").string() + "/" + name;
    }
    // The problem told when the settings could not be saved, for `reason`.
    std::string NotSaved(const std::string& reason) const {
        return "The settings could not be saved to " + Path("kestrel.cfg") + ": " + reason;
    }
    static mode_t Mode(const char* name) {
        struct stat st;
        return lstat(name, &st) == 0 ? st.st_mode : 0;
    }
    // The record as a run would leave it: one value away from the defaults.
    static void ChangeSettings() {
        InitTestBoard();
        SetLatTimer(9);
    }
};

// Fails when a device, a FIFO, a folder or an oversized file named kestrel.cfg is read (the
// reader hangs or takes its bytes), is replaced at exit, or goes unexplained.
TEST_F(ConfigSafety, OnlyARegularFileOfAtMost64KiBIsReadOrReplaced) {
    alarm(20); // a reader that blocks on the FIFO or /dev/zero ends the test here
    const std::string big(65537, '\n');
    const struct {
        const char* what;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"link to /dev/zero", [] { fs::create_symlink("/dev/zero", "kestrel.cfg"); },
         "not a regular file"},
        {"FIFO", [] { ASSERT_EQ(mkfifo("kestrel.cfg", 0644), 0); }, "not a regular file"},
        {"folder", [] { fs::create_directory("kestrel.cfg"); }, "not a regular file"},
        {"65537 bytes", [&] { WriteFile(big); }, "larger than 64 KiB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all("kestrel.cfg");
        c.make();
        mode_t before = Mode("kestrel.cfg");
        SetLatTimer(77);
        EXPECT_EQ(ReadConfig(), 0);
        EXPECT_EQ(GetLatTimer(), 2);
        EXPECT_EQ(GetConfigProblem(), Path("kestrel.cfg") + " was not read (" + c.reason +
                                          "); the settings start from their defaults.");

        ChangeSettings();
        EXPECT_EQ(SaveConfig(), 0);
        EXPECT_EQ(GetConfigProblem(), NotSaved(c.reason + std::string(".")));
        EXPECT_EQ(Mode("kestrel.cfg"), before);
    }
    EXPECT_EQ(fs::file_size("kestrel.cfg"), 65537u);
    alarm(0);

    // A settings file padded to exactly 64 KiB is still one; a missing file is no problem.
    std::string padded = DEFAULT_FILE;
    padded.resize(65536, ' ');
    WriteFile(padded);
    EXPECT_EQ(ReadConfig(), 1);
    EXPECT_STREQ(GetConfigProblem(), "");
}

// Fails when a kestrel.cfg or a folder without write permission gets replaced anyway, or a
// replaced file loses its mode (how files are replaced: files_test.cpp).
TEST_F(ConfigSafety, ReadOnlyFileOrFolderIsNotReplacedAndModesAreKept) {
    WriteFile(DEFAULT_FILE);
    fs::permissions("kestrel.cfg", fs::perms::owner_read | fs::perms::group_read);
    ChangeSettings();
    EXPECT_EQ(SaveConfig(), 0);
    EXPECT_EQ(GetConfigProblem(), NotSaved("Permission denied."));
    EXPECT_EQ(ReadFile(), DEFAULT_FILE);
    fs::permissions("kestrel.cfg", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(SaveConfig(), 1);
    EXPECT_EQ(Mode("kestrel.cfg") & 07777, 0640u);

    fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec);
    SetLatTimer(10);
    EXPECT_EQ(SaveConfig(), 0);
    fs::permissions(".", fs::perms::owner_all);
    EXPECT_EQ(GetConfigProblem(), NotSaved("its folder cannot be written (Permission denied)."));
    EXPECT_NE(ReadFile().find("\n9\n"), std::string::npos);

    // Fails when a write that fails half-way (here: the file-size limit) damages the old file,
    // leaves the temporary file behind, reports success or gives no reason.
    WriteFile(DEFAULT_FILE);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit tiny{16, old.rlim_max};
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    const int result = SaveConfig();
    setrlimit(RLIMIT_FSIZE, &old), signal(SIGXFSZ, previous);
    EXPECT_EQ(std::tuple(result, std::string(GetConfigProblem()), ReadFile()),
              std::tuple(0, NotSaved("File too large."), DEFAULT_FILE));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

// Fails when a kestrel.cfg that is a symbolic link is replaced by a plain file, its target
// loses its mode, or a link to nothing is followed into creating a file.
TEST_F(ConfigSafety, SymbolicLinkIsWrittenThroughToItsTarget) {
    fs::create_directory("store");
    WriteFile(DEFAULT_FILE, "store/settings");
    fs::permissions("store/settings", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("store/settings", "kestrel.cfg");
    ChangeSettings();
    EXPECT_EQ(SaveConfig(), 1);
    EXPECT_TRUE(S_ISLNK(Mode("kestrel.cfg")));
    EXPECT_EQ(Mode("store/settings") & 07777, 0600u);
    EXPECT_NE(ReadFile("store/settings").find("\n9\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);

    fs::remove("store/settings");
    EXPECT_EQ(SaveConfig(), 0);
    EXPECT_EQ(GetConfigProblem(), NotSaved("it is a symbolic link to a missing file."));
    EXPECT_FALSE(fs::exists("store/settings"));
    EXPECT_TRUE(S_ISLNK(Mode("kestrel.cfg")));
}
