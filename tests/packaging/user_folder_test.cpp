// The per-user working folder of a desktop start: its path from the XDG variables, its creation
// (0700, never through a link, only the user's own) and the --desktop option that enters it.
#include "app/UserFolder.h"

#include "packaging_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Fails when a relative XDG_STATE_HOME is used, or the fallback under HOME is wrong.
TEST(UserFolder, PathFromTheEnvironment) {
    struct Case {
        const char* stateHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/s", "/h", "/s/kestrel"},
        {"state", "/h", "/h/.local/state/kestrel"},
        {"", "/h", "/h/.local/state/kestrel"},
        {nullptr, "/h", "/h/.local/state/kestrel"},
        {nullptr, "h", ""},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserFolderPath(c.stateHome, c.home), c.expected)
            << (c.stateHome ? c.stateHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
}

// Sets HOME to a scratch folder and unsets XDG_STATE_HOME; puts both and the working folder back.
class UserFolderEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        start_ = fs::current_path();
        fs::create_directories(Home());
        setenv("HOME", Home().c_str(), 1);
        unsetenv("XDG_STATE_HOME");
    }
    void TearDown() override {
        fs::current_path(start_);
        Restore("HOME", home_);
        Restore("XDG_STATE_HOME", stateHome_);
    }
    fs::path Home() const { return scratch_.path() / "home"; }
    fs::path Folder() const { return Home() / ".local/state/kestrel"; }
    int Enter() { return EnterUserFolder(problem_, sizeof problem_); }

    ScratchDir scratch_;
    fs::path start_;
    char problem_[1024] = "";

  private:
    static std::optional<std::string> Saved(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& saved) {
        if (saved)
            setenv(name, saved->c_str(), 1);
        else
            unsetenv(name);
    }
    std::optional<std::string> home_ = Saved("HOME");
    std::optional<std::string> stateHome_ = Saved("XDG_STATE_HOME");
};

int Mode(const fs::path& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Fails when the folders are not created private, or the working folder does not change.
TEST_F(UserFolderEntry, CreatesPrivateFoldersAndEntersThem) {
    ASSERT_EQ(Enter(), 1) << problem_;
    EXPECT_EQ(fs::current_path(), Folder());
    for (const char* part : {".local", ".local/state", ".local/state/kestrel"})
        EXPECT_EQ(Mode(Home() / part), 0700) << part;
    // A second start uses the existing folder.
    fs::current_path(start_);
    ASSERT_EQ(Enter(), 1) << problem_;
    EXPECT_EQ(fs::current_path(), Folder());
}

// Fails when XDG_STATE_HOME is ignored, or a link to it (the user's own choice) is refused.
TEST_F(UserFolderEntry, FollowsTheUsersOwnStateHome) {
    fs::create_directories(scratch_.path() / "disk");
    fs::create_directory_symlink(scratch_.path() / "disk", scratch_.path() / "state");
    setenv("XDG_STATE_HOME", (scratch_.path() / "state").c_str(), 1);
    ASSERT_EQ(Enter(), 1) << problem_;
    EXPECT_EQ(fs::current_path(), scratch_.path() / "disk/kestrel");
}

// Fails when Kestrel's folders are entered through a link, or a file stands in for a folder.
TEST_F(UserFolderEntry, RefusesLinksAndFilesBelowTheStateHome) {
    const fs::path elsewhere = scratch_.path() / "elsewhere";
    fs::create_directories(elsewhere);
    struct Case {
        const char* name;
        void (*plant)(const fs::path& home, const fs::path& elsewhere);
    };
    const Case cases[] = {{"kestrel is a link",
                           [](const fs::path& home, const fs::path& to) {
                               fs::create_directories(home / ".local/state");
                               fs::create_directory_symlink(to, home / ".local/state/kestrel");
                           }},
                          {".local is a link",
                           [](const fs::path& home, const fs::path& to) {
                               fs::create_directories(to / "state/kestrel");
                               fs::create_directory_symlink(to, home / ".local");
                           }},
                          {"kestrel is a file", [](const fs::path& home, const fs::path&) {
                               fs::create_directories(home / ".local/state");
                               std::ofstream(home / ".local/state/kestrel") << "";
                           }}};
    for (const Case& c : cases) {
        fs::remove_all(Home() / ".local");
        c.plant(Home(), elsewhere);
        EXPECT_EQ(Enter(), 0) << c.name;
        EXPECT_NE(std::string(problem_).find("symbolic link or not a folder"), std::string::npos)
            << c.name << ": " << problem_;
        EXPECT_EQ(fs::current_path(), start_) << c.name;
    }
}

// Fails when a folder of another user is used as the working folder.
TEST_F(UserFolderEntry, RefusesAnotherUsersFolder) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to give the folder away";
    fs::create_directories(Folder());
    ASSERT_EQ(chown(Folder().c_str(), 65534, 65534), 0);
    EXPECT_EQ(Enter(), 0);
    EXPECT_NE(std::string(problem_).find("belongs to another user"), std::string::npos) << problem_;
    EXPECT_EQ(fs::current_path(), start_);
}

// Fails when --desktop does not enter the folder, or a refused folder lets the program run.
TEST_F(UserFolderEntry, DesktopOption) {
    int exitCode = -1;
    EXPECT_EQ(ReadOption("--desktop", &exitCode), 1);
    EXPECT_EQ(fs::current_path(), Folder());

    fs::current_path(start_);
    fs::remove_all(Home() / ".local");
    fs::create_directories(Home() / ".local/state");
    fs::create_directory_symlink(scratch_.path(), Folder());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ReadOption("--desktop", &exitCode), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "kestrel: cannot use the folder " + Folder().string() +
                  ": a part of it is a symbolic link or not a folder\n");
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(fs::current_path(), start_);
}

} // namespace
