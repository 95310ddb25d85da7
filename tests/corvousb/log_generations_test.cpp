// The debug log's older generation: the previous log is kept when a new one starts.
#include "CorvoUsbFixture.h"
#include "tests/support/ScratchDir.h"

namespace fs = std::filesystem;

// Fails when opening the log wipes the previous one, keeps more than one older generation, or
// lets an empty file push out the older evidence.
TEST_F(CorvoUsbTest, DebugLogKeepsOneOlderGeneration) {
    TempDir dir;
    const fs::path old = fs::current_path();
    fs::current_path(dir.path);
    ASSERT_EQ(dbg_OpenLogFile(), 1);
    USB_GetNumberOfDevs();
    dbg_CloseLogFile();
    const std::string first = ReadFile("USB_LogFile.txt");
    ASSERT_EQ(dbg_OpenLogFile(), 1);
    dbg_CloseLogFile();
    const std::string second = ReadFile("USB_LogFile.txt");
    EXPECT_EQ(ReadFile("USB_LogFile.txt.1"), first);
    EXPECT_NE(first, second);
    EXPECT_FALSE(fs::exists("USB_LogFile2.bin.1")) << "the capture was empty";
    ASSERT_EQ(dbg_OpenLogFile(), 1);
    dbg_CloseLogFile();
    EXPECT_EQ(ReadFile("USB_LogFile.txt.1"), second);
    fs::current_path(old);
}
