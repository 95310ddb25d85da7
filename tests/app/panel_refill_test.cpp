// What the setup panel shows after it is filled again: the pattern in use and the loop time used.
#include "tests/support/KestrelSession.h"

#include "progwiz/Eeprom.h"
#include "ui/KestrelUIR.h"

// Fails when a refill of the panel (show, connect, device list, EEPROM write or erase) masks the
// picked pattern in the data field, so that the next edit of another field stores it cut.
TEST_F(KestrelSession, PickedPatternSurvivesEveryRefill) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    SetEepromPause([](int) {});
    const std::vector<std::pair<const char*, std::function<void()>>> refills = {
        {"close and show",
         [] {
             hl::Press(SetupHandle(), SETUPPANEL_CLOSEBTN);
             hl::ChooseMenuItem("MENUBAR_TESTMENU_SHOWDLG");
         }},
        {"disconnect and connect",
         [] {
             hl::Press(SetupHandle(), SETUPPANEL_DISCONNECT);
             hl::Press(SetupHandle(), SETUPPANEL_RESETBTN);
         }},
        {"device list", [] { hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LSTDEVICES, 0); }},
        {"EEPROM erase",
         [] {
             hl::Press(SetupHandle(), SETUPPANEL_RESETBTN);
             hl::AnswerNextConfirm(true);
             hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
         }},
    };
    Then([&] {
        const int s = SetupHandle();
        hl::MarkOption(s, SETUPPANEL_DATASZRADIO, 0);
        hl::MarkOption(s, SETUPPANEL_DATATYPERADIO, 1);
        hl::ChooseRingItem(s, SETUPPANEL_PATTERNRING, 8); // 55AA55AA
        for (const auto& [name, refill] : refills) {
            refill();
            EXPECT_EQ(hl::Text(s, SETUPPANEL_DATA), "55AA55AA") << name;
            EXPECT_EQ(hl::Text(s, SETUPPANEL_PATTERNRING), "55AA55AA") << name;
            hl::EnterValue(s, SETUPPANEL_WORDCOUNT, 4);
            EXPECT_EQ(static_cast<unsigned>(GetStartVal()), 0x55AA55AAu) << name;
        }
    });
    Run();
    SetEepromPause(nullptr);
}

// Fails when the transfer sizes of kestrel.cfg are not sent at connection after the time-outs,
// or a loop time the ring cannot show is used while the ring shows another.
TEST_F(KestrelSession, StoredLinkSettingsAreTheOnesInEffect) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    WriteConfig("Simulated Corvo Board\nSIM00001\n0\n0\n0\n00000000\n1\n1\n0\n1\n0\n2\n3e8\n3e8\n"
                "2000\n8000\n0\n1\n0\n1\n");
    Then([&] {
        EXPECT_EQ(hl::Text(SetupHandle(), SETUPPANEL_LOOPRING), "2 ms");
        EXPECT_EQ(GetLoopTime(), 2);
    });
    Run();
    const auto calls = bus::CallLog();
    const auto timeouts = std::find(calls.begin(), calls.end(), "USB_SetTimeouts(1, 1000, 1000)");
    ASSERT_NE(timeouts, calls.end());
    EXPECT_EQ(*(timeouts + 1), "USB_SetXferSize(1, 8192, 32768)");
}
