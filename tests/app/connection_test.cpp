// Connection edge cases: no board at start, a configured board that is gone, a loop cut short.
#include "tests/support/KestrelSession.h"

#include "ui/KestrelUIR.h"

// How many of the loop's signs are on: its timer ticks, the record says so, "Loop" is ticked.
static int LoopSigns() {
    int enabled = 0;
    GetCtrlAttribute(GetSetupPanelHandle(), SETUPPANEL_TIMER, ATTR_ENABLED, &enabled);
    return (enabled != 0) + (GetLoopState() != 0) +
           (hl::Value(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX) != 0);
}

// Fails when the fall-back to device 0 for a configured serial number that is not on the bus
// goes unsaid, or says it more than once, or device 0's EEPROM identity is not saved; or when a
// debug log that cannot be opened goes unsaid, or is said at every reconnection.
TEST_F(KestrelSession, UnknownSerialNumberNamesTheBoardOpenedInstead) {
    AddBoard("Bench Board", "B0");
    AddBoard("Simulated Corvo Board", "SIM00001");
    WriteConfig("Simulated Corvo Board\nGONE1\n");
    std::filesystem::create_symlink("elsewhere.txt", "USB_LogFile.txt");
    Then([&] {
        hl::Press(SetupHandle(), SETUPPANEL_DISCONNECT);
        hl::Press(SetupHandle(), SETUPPANEL_RESETBTN);
        const std::string text = InfoText();
        for (const std::string line :
             {"Serial number GONE1 not found: opened device 0, Bench Board (serial number B0), "
              "instead.\n",
              "Debug log off: USB_LogFile.txt or USB_LogFile2.bin cannot be written in the working "
              "folder.\n"})
            EXPECT_TRUE(text.find(line) != std::string::npos && text.find(line) == text.rfind(line))
                << line << text;
    });
    Run();
    EXPECT_EQ(ConfigLines()[0] + "/" + ConfigLines()[1], "Bench Board/B0");
}

// Fails when Disconnect or "Scan USB bus" during a loop leaves it ticked or running, or ends it
// without the statistics that unticking prints.
TEST_F(KestrelSession, DisconnectAndScanEndALoopAsUntickingDoes) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    Then([&] {
        const int s = SetupHandle();
        hl::MarkOption(s, SETUPPANEL_IOMODE, 4);
        for (int control : {SETUPPANEL_DISCONNECT, SETUPPANEL_CMDREFRESH}) {
            hl::Press(s, SETUPPANEL_RESETBTN);
            ASSERT_EQ(hl::Toggle(s, SETUPPANEL_LOOPCHECKBOX, 1), 0);
            hl::TimerTick(s, SETUPPANEL_TIMER);
            ASSERT_EQ(LoopSigns(), 3);
            const size_t before = InfoText().size();
            hl::Press(s, control);
            EXPECT_EQ(LoopSigns(), 0) << control;
            EXPECT_NE(InfoText().find("Processed frames", before), std::string::npos) << control;
        }
    });
    Run();
}
