// "Conf.tmp" that is a link, read-only or a FIFO, and one replaced whole.
#include "tests/support/ProgWizSession.h"

#include <csignal>
#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

static size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1), ++n) {
    }
    return n;
}

// Fails when opening the wizard or a confirmed Finish writes through a "Conf.tmp" link, over a
// read-only "Conf.tmp" (the mode bits count for root too) or into a FIFO (or hangs on it), when
// such a failure (a folder too) is not reported, by InitProgWiz too, or reported more than once,
// or stops the wizard or the programming; or when a plain "Conf.tmp" loses its mode or a
// temporary file stays behind.
TEST_F(ProgWizSession, ConfFileIsReplacedWholeAndNeverThroughALink) {
    namespace fs = std::filesystem;
    alarm(20); // a FIFO opened for writing would wait for a reader for ever
    RunOnBoard([&] {
        std::ofstream("victim") << "keep me";
        const struct {
            const char* what;
            std::function<void()> make;
            std::string reason;
        } refused[] = {
            {"link", [] { fs::create_symlink("victim", "Conf.tmp"); }, "it is a symbolic link"},
            {"read-only",
             [] {
                 std::ofstream("Conf.tmp") << "old";
                 fs::permissions("Conf.tmp", fs::perms::owner_read);
             },
             "Permission denied"},
            {"FIFO", [] { ASSERT_EQ(mkfifo("Conf.tmp", 0600), 0); }, "not a regular file"},
            {"folder", [] { fs::create_directory("Conf.tmp"); }, "not a regular file"},
        };
        for (const auto& c : refused) {
            SCOPED_TRACE(c.what);
            fs::remove("Conf.tmp");
            c.make();
            const auto type = fs::symlink_status("Conf.tmp").type();
            const std::string line = "\"Conf.tmp\" was not written (" + c.reason + ").\n";
            const size_t before = Occurrences(InfoText(), line), mark = bus::CallLog().size();
            EXPECT_EQ(InitProgWiz(), -1);
            EXPECT_EQ(std::tuple(VisiblePages(), ConfFileReady),
                      std::tuple(std::vector<int>{1}, 0));
            NextTo(1, 6);
            Finish(true); // programs all the same
            EXPECT_EQ(std::tuple(Occurrences(InfoText(), line),
                                 fs::symlink_status("Conf.tmp").type(), FileBytes("victim").size(),
                                 EepromCalls(CallsSince(mark)).size()),
                      std::tuple(before + 1, type, 7u, 6u));
            if (type == fs::file_type::regular) {
                EXPECT_EQ(FileBytes("Conf.tmp").size(), 3u);
            }
        }
        fs::remove("Conf.tmp");
        std::ofstream("Conf.tmp") << "old";
        fs::permissions("Conf.tmp", fs::perms::owner_read | fs::perms::owner_write);
        OpenWizard();
        EXPECT_EQ(FileBytes("Conf.tmp").size(), 0u);
        NextTo(1, 6);
        Finish(true);
        EXPECT_EQ(FileBytes("Conf.tmp"), Record("New board", "SERNUM1", 100, 0, 8));
        EXPECT_EQ(fs::status("Conf.tmp").permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
        for (const auto& entry : fs::directory_iterator("."))
            EXPECT_THAT(entry.path().filename().string(),
                        ::testing::Not(::testing::StartsWith("Conf.tmp.")));
    });
    alarm(0);
}
