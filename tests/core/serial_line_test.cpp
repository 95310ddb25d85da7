// kestrel.cfg's serial-number line: read back whole, as it was saved.
#include "config_dir.h"

#include "core/Kestrel_core.h"

// Fails when a saved serial number with spaces comes back as its first word, or white space
// around the line or around "NONE" is kept.
TEST_F(ConfigDir, SerialNumberLineIsReadWhole) {
    const struct {
        const char* line;
        const char* serNum;
    } cases[] = {{"AB 12", "AB 12"}, {"  A1B2C3 \t", "A1B2C3"}, {" NONE ", ""}, {"   ", ""}};
    for (const auto& c : cases) {
        WriteFile(std::string("Dev\n") + c.line + "\n");
        ReadConfig();
        EXPECT_STREQ(GetSerNum(), c.serNum) << c.line;
    }
    SetSerNum("X Y 9");
    ASSERT_NE(SaveConfig(), 0);
    ReadConfig();
    EXPECT_STREQ(GetSerNum(), "X Y 9");
}
