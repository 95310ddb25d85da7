// Saving a board's EEPROM file next to temporary files that others left behind.
#include "CorvoUsbFixture.h"

#include <set>

namespace fs = std::filesystem;

// Fails when a file or a link at the old fixed temporary name stops the save, is written
// through, or a save leaves a temporary file of its own behind.
TEST_F(CorvoUsbTest, EepromSavesPastTemporaryFilesLeftByOthers) {
    TempDir dir;
    const fs::path file = dir.path / "board.eeprom";
    const fs::path victim = dir.path / "victim";
    std::ofstream(victim) << "keep me";
    fs::create_symlink(victim, dir.path / "board.eeprom.tmp");
    const int h = OpenOnly({.eepromFile = file.string()});
    USB_SetSerialNumber(h, "SAVED001");
    EXPECT_EQ(USB_WriteEEpromData(h), 1);
    EXPECT_EQ(USB_EraseEEpromData(h), 1);
    EXPECT_EQ(ReadFile(victim), "keep me");
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"board.eeprom", "board.eeprom.tmp", "victim"}));
    cu::ResetBus();
}
