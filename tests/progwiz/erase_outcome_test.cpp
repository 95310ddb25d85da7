// What an erase and a write tell the user: the default answer, failures, what the EEPROM holds.
#include "tests/support/ProgWizSession.h"

#include <gmock/gmock.h>

// Fails when the erase confirmation's default button is Yes, a failed erase is not reported or
// still pauses and reconnects as if the board had been erased, or an erase that worked does not
// say what the EEPROM now holds.
TEST_F(ProgWizSession, EraseDefaultsToNoAndReportsItsOutcome) {
    RunOnBoard([&] {
        hl::AnswerNextConfirm(false);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
        ASSERT_EQ(hl::Popups().size(), 1u);
        EXPECT_EQ(hl::Popups()[0].defaultAnswer, 0);

        hl::ClearPopups();
        bus::FailNextCall("USB_EraseEEpromData", 12);
        size_t mark = bus::CallLog().size();
        hl::AnswerNextConfirm(true);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
        EXPECT_EQ(Popups("USB Error"), 1u);
        EXPECT_TRUE(pauses.empty());
        EXPECT_FALSE(Contains(CallsSince(mark), "USB_FindDevices(0)"));
        EXPECT_THAT(InfoText(), ::testing::EndsWith("The EEPROM was not erased (" +
                                                    std::string(CorvoUsb_ErrorText(12)) + ").\n"));
        EXPECT_EQ(Identity(),
                  "Simulated Corvo Board/SIM00001, list: Simulated Corvo Board; lamp 1, open "
                  "SIM00001");

        hl::AnswerNextConfirm(true);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
        EXPECT_EQ(pauses.size(), 1u);
        EXPECT_THAT(InfoText(), ::testing::EndsWith(
                                    "EEPROM erased: it now holds \"Corvo USB FIFO\" / no serial "
                                    "number.\n"));
    });
}

// Fails when a refused write leaves no line saying the EEPROM was not written and why, or a
// write that worked does not say in one whole line what the EEPROM now holds.
TEST_F(ProgWizSession, WriteSaysWhatTheEepromHolds) {
    RunOnBoard([&] {
        bus::FailNextCall("USB_SetMaxPower", 7);
        InitConfBuffers();
        ProgramDevice(&Conf);
        EXPECT_THAT(InfoText(), ::testing::EndsWith("The EEPROM was not written: the max power "
                                                    "was refused (" +
                                                    std::string(CorvoUsb_ErrorText(7)) + ").\n"));
        bus::FailNextCall("USB_SetSerialNumber", 27);
        ProgramDevice(&Conf);
        EXPECT_THAT(InfoText(),
                    ::testing::EndsWith("The EEPROM was not written: the serial number was "
                                        "refused (A null pointer was passed as Serial number).\n"));

        const std::string longest(64, 'D');
        std::snprintf(Conf.DeviceDesc, sizeof Conf.DeviceDesc, "%s", longest.c_str());
        std::snprintf(Conf.SerialNumber, sizeof Conf.SerialNumber, "ABCDEFGH");
        Conf.PowerSource = 1;
        Conf.MaxPower = 500;
        Conf.DriveCurrent = 16;
        ProgramDevice(&Conf);
        EXPECT_THAT(InfoText(),
                    ::testing::EndsWith("EEPROM now holds \"" + longest +
                                        "\" / ABCDEFGH, 500 mA, self-powered, 16 mA drive.\n"));
    });
}
