// The additions' settings: the store's typed keys and text, and kestrel.ini beside kestrel.cfg.
#include "config_dir.h"

#include "core/AdditionSettings.h"
#include "core/Kestrel_core.h"

#include <sys/stat.h>

namespace {

const settings::IntKey kLater{"later-key", 5, 0, 9};

} // namespace

// Fails when a broken or out-of-range line does not keep the key's default, a good one is not
// read, or an unknown key is not kept for the version that knows it.
TEST(SettingsStore, LinesKeysAndDefaults) {
    settings::SettingsStore store;
    store.load("version = 1\r\n# comment\nverify = 1\nprbs-order = 99\nbroken line\n"
               "prbs-data = x\nlater-key = 7\nfuture = on\n");
    EXPECT_EQ(std::tuple(store.get(settings::kVerify), store.get(settings::kPrbsOrder),
                         store.get(settings::kPrbsData), store.get(kLater)),
              std::tuple(1, 31, 0, 7));
    store.set(kLater, 10);              // out of range: ignored
    store.set(settings::kPrbsOrder, 8); // not an order offered: ignored
    store.set(settings::kPrbsOrder, 7);
    EXPECT_EQ(store.text(), "version = 1\nfuture = on\nlater-key = 7\nprbs-data = x\n"
                            "prbs-order = 7\nverify = 1\n");
}

// Fails when kestrel.ini is not saved beside kestrel.cfg and read back, when kestrel.cfg changes
// because of it, or when a run that changed nothing leaves a file behind; or when a kestrel.ini
// that is a link is written through or replaced, or one that is a FIFO or too large is read (or
// blocks), instead of keeping the defaults with a note for the user.
TEST_F(ConfigDir, AdditionsFileBesideTheConfigAndItsSafety) {
    ReadConfig(), SaveConfig();
    EXPECT_FALSE(fs::exists("kestrel.ini"));
    settings::Additions().set(settings::kVerify, 1);
    SaveConfig();
    EXPECT_EQ(std::pair(ReadFile(), ReadFile("kestrel.ini")),
              std::pair(std::string(DEFAULT_FILE), std::string("version = 1\nverify = 1\n")));
    ReadConfig();
    EXPECT_EQ(settings::Additions().get(settings::kVerify), 1);
    // Nothing but the two files: no temporary file left.
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);
    fs::remove("kestrel.ini");
    settings::Additions().set(settings::kVerify, 0);

    WriteFile("verify = 1\n", "elsewhere");
    fs::create_symlink("elsewhere", "kestrel.ini");
    settings::Additions().set(settings::kPrbsData, 1);
    EXPECT_NE(settings::SaveAdditionSettings(), "");
    EXPECT_TRUE(fs::is_symlink("kestrel.ini") && ReadFile("elsewhere") == "verify = 1\n");
    fs::remove("kestrel.ini");
    ASSERT_EQ(mkfifo("kestrel.ini", 0600), 0);
    EXPECT_NE(settings::ReadAdditionSettings(), "");
    EXPECT_EQ(settings::Additions().get(settings::kPrbsData), 0);
    fs::remove("kestrel.ini");
    WriteFile("verify = 1\n" + std::string(70000, '#'), "kestrel.ini");
    ReadConfig();
    EXPECT_NE(std::string(GetConfigProblem()).find("kestrel.ini was not read"), std::string::npos);
    EXPECT_EQ(settings::Additions().get(settings::kVerify), 0);
}
