// EEPROM write failures, erase and read.
#include "tests/support/ProgWizSession.h"

#include <cstring>
#include <gmock/gmock.h>

using ::testing::EndsWith;

// Fails when a failing library call does not stop the write at that step, a null-text code
// (26, 27) does not show the program's own text, another code does not reach USB_Perror, a
// failure still reconnects, or an unterminated record is read past its fields; or when a refused
// write leaves no line saying why, or one that worked does not say in one whole line what the
// EEPROM now holds.
TEST_F(ProgWizSession, WriteStopsAtTheFailingStep) {
    const struct {
        const char* function;
        int code;
        size_t callsMade;
        const char* title;
        std::string text;
    } cases[] = {
        {"USB_SetDescStr", 26, 1, "Error", "A null pointer was passed as Device string"},
        {"USB_SetDescStr", 28, 1, "USB Error", CorvoUsb_ErrorText(28)},
        {"USB_SetSerialNumber", 27, 2, "Error", "A null pointer was passed as Serial number"},
        {"USB_SetSerialNumber", 26, 2, "USB Error", CorvoUsb_ErrorText(26)},
        {"USB_SetPowerSource", 7, 3, "USB Error", CorvoUsb_ErrorText(7)},
        {"USB_SetMaxPower", 7, 4, "USB Error", CorvoUsb_ErrorText(7)},
        {"USB_SetDriveCurrent", 7, 5, "USB Error", CorvoUsb_ErrorText(7)},
        {"USB_WriteEEpromData", 11, 6, "USB Error", CorvoUsb_ErrorText(11)},
    };
    RunOnBoard([&] {
        const int h = GetUsbId();
        const auto all = ProgramCalls(h, "New board", "SERNUM1", 0, 100, 8);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.function) + " " + std::to_string(c.code));
            hl::ClearPopups();
            bus::FailNextCall(c.function, c.code);
            size_t mark = bus::CallLog().size();
            InitConfBuffers();
            ProgramDevice(&Conf);
            const auto calls = CallsSince(mark);
            EXPECT_EQ(
                std::tuple(EepromCalls(calls), Contains(calls, "USB_FindDevices(0)"), GetUsbId()),
                std::tuple(std::vector(all.begin(), all.begin() + c.callsMade), false, h));
            ExpectPopups({{c.title, c.text}});
        }

        hl::ClearPopups();
        // Not one terminator in the record (the sanitizer build sees any read past it); the
        // power source 0x4141 then fails the write.
        EepromConfig unterminated;
        std::memset(&unterminated, 'A', sizeof unterminated);
        size_t mark = bus::CallLog().size();
        ProgramDevice(&unterminated);
        const auto upTo = ProgramCalls(h, std::string(64, 'A'), "AAAAAAAA", 0x4141, 0, 0);
        EXPECT_EQ(EepromCalls(CallsSince(mark)), std::vector(upTo.begin(), upTo.begin() + 3));

        // The info line says why the EEPROM was not written, or in one whole line what it holds.
        bus::FailNextCall("USB_SetMaxPower", 7);
        InitConfBuffers();
        ProgramDevice(&Conf);
        EXPECT_THAT(InfoText(), EndsWith("The EEPROM was not written: the max power was refused (" +
                                         std::string(CorvoUsb_ErrorText(7)) + ").\n"));
        const std::string longest(64, 'D');
        std::snprintf(Conf.DeviceDesc, sizeof Conf.DeviceDesc, "%s", longest.c_str());
        ProgramDevice(&Conf);
        EXPECT_THAT(InfoText(), EndsWith("EEPROM now holds \"" + longest +
                                         "\" / SERNUM1, 100 mA, bus-powered, 8 mA drive.\n"));

        SetUsbId(0);
        hl::ClearPopups();
        mark = bus::CallLog().size();
        ProgramDevice(&Conf);
        EXPECT_TRUE(CallsSince(mark).empty());
        ExpectPopups({{"Error", "Can't reach device (bad or missing handle)"}});
    });
}

// Fails when the erase confirmation's default button is Yes, an erase answered No sends anything,
// one without a device reports or pauses, a failed one is not reported or still pauses and
// reconnects, or one answered Yes does not say what the EEPROM holds, does not erase, pause 3 s
// with the busy pointer and reconnect to the blank board through device 0, which the wizard can
// then program again.
TEST_F(ProgWizSession, EraseAsksPausesAndReconnects) {
    RunOnBoard([&] {
        const int h = GetUsbId();
        size_t mark = bus::CallLog().size();
        hl::AnswerNextConfirm(false);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
        ExpectPopups(
            {{"Warning",
              "You're about to erase the content of your hardware EEPROM\nAre you sure ?"}});
        EXPECT_EQ(std::tuple(hl::Popups()[0].answer, hl::Popups()[0].defaultAnswer,
                             CallsSince(mark).empty(), pauses.empty()),
                  std::tuple(0, 0, true, true));

        hl::AnswerNextConfirm(true);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
        const auto calls = CallsSince(mark);
        const auto openOld = std::ranges::find(calls, "OpenUsbDevice(\"SIM00001\")"),
                   openBlank = std::ranges::find(calls, "OpenUsbDevice(\"\")");
        EXPECT_EQ(
            std::tuple(EepromCalls(calls), pauses, GetWaitCursor(),
                       openOld < openBlank && openBlank != calls.end(), hl::Popups().size()),
            std::tuple(std::vector<std::string>{"USB_EraseEEpromData(" + std::to_string(h) + ")"},
                       std::vector<std::pair<int, int>>{{3000, 1}}, 0, true, 2u));
        EXPECT_EQ(Identity(), "Corvo USB FIFO/, list: Corvo USB FIFO; lamp 1, open ");
        EXPECT_THAT(
            InfoText(),
            EndsWith("EEPROM erased: it now holds \"Corvo USB FIFO\" / no serial number.\n"));

        OpenWizard();
        NextTo(1, 6);
        Finish(true);
        EXPECT_EQ(Identity(), "New board/SERNUM1, list: New board; lamp 1, open SERNUM1");

        bus::FailNextCall("USB_EraseEEpromData", 12);
        mark = bus::CallLog().size();
        hl::AnswerNextConfirm(true);
        hl::ChooseMenuItem("MENUBAR_TESTMENU_ERASE");
        EXPECT_EQ(std::tuple(Popups("USB Error"), Contains(CallsSince(mark), "USB_FindDevices(0)")),
                  std::tuple(1u, false));
        EXPECT_THAT(InfoText(), EndsWith("The EEPROM was not erased (" +
                                         std::string(CorvoUsb_ErrorText(12)) + ").\n"));

        SetUsbId(0);
        hl::ClearPopups();
        mark = bus::CallLog().size();
        EraseEprom();
        EXPECT_EQ(std::tuple(CallsSince(mark).size(), hl::Popups().size(), pauses.size()),
                  std::tuple(0u, 0u, 1u));
    });
}

// Fails when "Show EEPROM" does not reach the setting (or reads at once), a read does not pass
// it, a read failure is not reported, or a negative handle is sent to the library instead of
// the program's "Device error" (a handle of 0 goes to the library).
TEST_F(ProgWizSession, ReadPassesShowEepromAndReportsNoDevice) {
    RunOnBoard([&] {
        const std::string h = std::to_string(GetUsbId());
        size_t mark = bus::CallLog().size();
        hl::Toggle(SetupHandle(), SETUPPANEL_EEPROMCHK, 1);
        EXPECT_EQ(std::tuple(GetShowEpromState(), CallsSince(mark).size()), std::tuple(1, 0u));
        hl::Press(SetupHandle(), SETUPPANEL_RDEEPROMBTN);
        hl::Toggle(SetupHandle(), SETUPPANEL_EEPROMCHK, 0);
        EXPECT_EQ(std::tuple(CallsSince(mark), GetShowEpromState()),
                  std::tuple(std::vector<std::string>{"USB_ReadEEpromData(" + h + ", 1)"}, 0));

        bus::FailNextCall("USB_ReadEEpromData", 10);
        hl::Press(SetupHandle(), SETUPPANEL_RDEEPROMBTN);
        ExpectPopups({{"USB Error", CorvoUsb_ErrorText(10)}});

        SetUsbId(-1); // as a failed reconnection leaves it
        hl::ClearPopups();
        mark = bus::CallLog().size();
        hl::Press(SetupHandle(), SETUPPANEL_RDEEPROMBTN);
        EXPECT_TRUE(CallsSince(mark).empty());
        ExpectPopups({{"Device error", "Error reading eprom data"}});
        SetUsbId(0);
        mark = bus::CallLog().size();
        hl::Press(SetupHandle(), SETUPPANEL_RDEEPROMBTN);
        EXPECT_EQ(
            std::tuple(Contains(CallsSince(mark), "USB_ReadEEpromData(0, 0)"), Popups("USB Error")),
            std::tuple(true, 1u));
    });
}
