// kestrel.cfg saves next to temporary files that others left behind.
#include "config_dir.h"

#include "core/Kestrel_core.h"

#include <set>

// Fails when files left by killed saves at the temporary names make a save fail (once all the
// names are taken), are written into, or a save leaves a file of its own behind.
TEST_F(ConfigDir, SavesPastTemporaryFilesLeftByOthers) {
    std::set<std::string> before = {"kestrel.cfg.tmp"};
    for (int i = 1; i < 100; ++i)
        before.insert("kestrel.cfg.tmp" + std::to_string(i));
    for (const auto& name : before)
        WriteFile("left", name.c_str());
    before.insert("kestrel.cfg");
    for (int save = 0; save < 3; ++save)
        ASSERT_EQ(SaveConfig(), 1) << GetConfigProblem();
    std::set<std::string> after;
    for (const auto& entry : fs::directory_iterator("."))
        after.insert(entry.path().filename().string());
    EXPECT_EQ(after, before);
    EXPECT_EQ(ReadFile("kestrel.cfg.tmp42"), "left");
}
