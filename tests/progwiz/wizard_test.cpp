// The "New board wizard": pages, entries, Cancel and Finish, "Conf.tmp", opening twice.
#include "tests/support/ProgWizSession.h"

// Fails when committed entries do not reach the record and the board (64-character
// description, 8-character serial number, power, source, drive current), a serial number the
// EEPROM cannot hold (too long, a space or a control character) is taken or refused without the
// reason beside the field, or a good one after it leaves the reason shown; "Conf.tmp"
// does not hold the record's bytes as they stand, or the next opening does not start from the
// defaults; when a Finish confirmed without entries does not program the defaults in order
// (power source before maximum power) or the board does not come back usable under its new
// identity, which kestrel.cfg then keeps; or when a wizard left open at exit leaves its pages
// loaded or "Conf.tmp" open, or programs the board.
TEST_F(ProgWizSession, FinishProgramsTheRecordAndReconnects) {
    const std::string longDesc(64, 'D');
    RunOnBoard([&] {
        int h = GetUsbId();
        OpenWizard();
        NextTo(1, 2);
        hl::EnterText(Page(2), PANEL_2_DEVDESCSTR, longDesc + "overflow");
        EXPECT_EQ(std::string(Conf.DeviceDesc), longDesc);
        hl::EnterText(Page(2), PANEL_2_DEVDESCSTR, "Lab");
        NextTo(2, 3);
        const std::pair<std::string, std::string> refused[] = {
            {"ABCDEFGHI", "at most 8 characters"},
            {"AB CD", "no spaces"},
            {"AB\x1b[2J", "no control characters"},
        };
        for (const auto& [entry, reason] : refused) {
            hl::EnterText(Page(3), PANEL_3_SERNUMSTR, entry);
            EXPECT_EQ(std::string(Conf.SerialNumber) + ": " + hl::Text(Page(3), PANEL_3_SERNUMNOTE),
                      "SERNUM1: Not taken: " + reason + ".\nThe serial number stays \"SERNUM1\".");
        }
        hl::EnterText(Page(3), PANEL_3_SERNUMSTR, "ABCDEFGH");
        EXPECT_EQ(std::string(Conf.SerialNumber) + hl::Text(Page(3), PANEL_3_SERNUMNOTE),
                  "ABCDEFGH");
        NextTo(3, 4);
        hl::EnterValue(Page(4), PANEL_4_MAXPOWER, 300);
        hl::MarkOption(Page(4), PANEL_4_RADIOGROUP, 1);
        NextTo(4, 5);
        hl::ChooseRingItem(Page(5), PANEL_5_DRIVECURRENT, 3);
        NextTo(5, 6);
        size_t mark = bus::CallLog().size();
        Finish(true);
        EXPECT_EQ(EepromCalls(CallsSince(mark)), ProgramCalls(h, "Lab", "ABCDEFGH", 1, 300, 16));
        // "Lab", its terminator, then what the longer description left behind.
        EXPECT_EQ(FileBytes("Conf.tmp"), Record("Lab" + std::string(1, '\0') + longDesc.substr(4),
                                                "ABCDEFGH", 300, 1, 16));

        OpenWizard();
        for (int page = 1; page < 6; ++page) {
            hl::Press(Page(page), PANEL_NEXTBTN);
            EXPECT_EQ(VisiblePages(), std::vector<int>{page + 1});
        }
        hl::ClearPopups();
        std::tie(mark, h) = std::tuple(bus::CallLog().size(), GetUsbId());
        Finish(true);
        ExpectPopups({{"Kestrel", " Do you want the changes to be sent to your device EEPROM ?"},
                      {"Warning", "The system is now registering the new device description.\n"
                                  "Please, wait and once the operation is complete, press OK."}});
        for (int page = 1; page <= 6; ++page)
            EXPECT_EQ(Page(page), -1) << "page " << page << " still loaded";
        EXPECT_EQ(EepromCalls(CallsSince(mark)),
                  ProgramCalls(h, "New board", "SERNUM1", 0, 100, 8));
        EXPECT_EQ(FileBytes("Conf.tmp"), Record("New board", "SERNUM1", 100, 0, 8));
        // Reconnected under the new identity, and the device stays open.
        EXPECT_EQ(Identity(), "New board/SERNUM1, list: New board; lamp 1, open SERNUM1");
        EXPECT_EQ(hl::Text(SetupHandle(), SETUPPANEL_SERNUMTXT), "SERNUM1");

        OpenWizard(); // left open at exit
        NextTo(1, 6);
    });
    EXPECT_EQ(std::tuple(Page(1), ConfFileReady), std::tuple(-1, 0));
    EXPECT_EQ(std::ranges::count_if(EepromCalls(bus::CallLog()),
                                    [](auto& c) { return c.starts_with("USB_WriteEEprom"); }),
              2)
        << "one write per confirmed Finish, none at exit";
    const auto lines = ConfigLines();
    EXPECT_EQ(std::vector(lines.begin(), lines.begin() + std::min<size_t>(lines.size(), 2)),
              (std::vector<std::string>{"New board", "SERNUM1"}));
}

// Fails when Next or Back turn to the wrong page or act where they must not (Back on page 1,
// Next on page 6); when opening the wizard again while it is open loads pages twice, leaves
// the current page or resets the record, or the Test menu item does not open it like the
// button; when Cancel or a refused Finish sends anything, keeps a change, or leaves a record in
// "Conf.tmp", or a run ended by Cancel programs what an earlier confirmed run asked for; or when
// the menu item stays usable without a device.
TEST_F(ProgWizSession, PagesReopeningCancelAndRefusal) {
    RunOnBoard([&] {
        const size_t panels = uirt::PanelHandles().size();
        size_t mark = bus::CallLog().size();
        EXPECT_FALSE(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_PROGRAM));
        hl::ChooseMenuItem("MENUBAR_TESTMENU_PROGRAM");
        EXPECT_EQ(hl::Press(Page(1), PANEL_PREVBTN), UIE_NO_INPUT);
        BackCB(Page(1), PANEL_PREVBTN, EVENT_COMMIT, nullptr, 0, 0);
        EXPECT_EQ(VisiblePages(), std::vector<int>{1});
        NextTo(1, 6);
        NextCB(Page(6), 0, EVENT_COMMIT, nullptr, 0, 0); // page 6 has no Next: nothing happens
        EXPECT_EQ(VisiblePages(), std::vector<int>{6});
        for (int page = 6; page > 1; --page) {
            hl::Press(Page(page), page == 6 ? PANEL_6_BACKBTN : PANEL_2_BACKBTN);
            EXPECT_EQ(VisiblePages(), std::vector<int>{page - 1});
        }
        NextTo(1, 3);
        hl::EnterText(Page(3), PANEL_3_SERNUMSTR, "KEEP1");
        const int page3 = Page(3);
        SetActivePanel(SetupHandle());
        OpenWizard();
        hl::ChooseMenuItem("MENUBAR_TESTMENU_PROGRAM");
        EXPECT_EQ(std::tuple(uirt::PanelHandles().size(), Page(3), VisiblePages(),
                             hl::ActivePanel(), std::string(Conf.SerialNumber)),
                  std::tuple(panels + 6, page3, std::vector<int>{3}, page3, "KEEP1"));

        hl::AnswerNextConfirm(false);
        hl::Press(Page(3), PANEL_3_CANCELBTN);
        ExpectPopups({{"Kestrel", " Do you really want to exit this wizard ?"}});
        EXPECT_EQ(std::tuple(VisiblePages(), std::string(Conf.SerialNumber)),
                  std::tuple(std::vector<int>{3}, "KEEP1"));
        hl::AnswerNextConfirm(true);
        hl::Press(Page(3), PANEL_3_CANCELBTN);
        EXPECT_EQ(std::tuple(uirt::PanelHandles().size(), std::string(Conf.SerialNumber),
                             std::filesystem::exists("Conf.tmp"), FileBytes("Conf.tmp").size()),
                  std::tuple(panels, "SERNUM1", true, 0u));

        OpenWizard();
        NextTo(1, 4);
        hl::EnterValue(Page(4), PANEL_4_MAXPOWER, 400);
        NextTo(4, 6);
        Finish(false);
        EXPECT_EQ(std::tuple(Page(6), Conf.MaxPower, FileBytes("Conf.tmp").size(),
                             EepromCalls(CallsSince(mark)).size()),
                  std::tuple(-1, 100, 0u, 0u));

        OpenWizard();
        NextTo(1, 6);
        Finish(true);
        mark = bus::CallLog().size();
        OpenWizard();
        hl::AnswerNextConfirm(true);
        hl::Press(Page(1), PANEL_CANCELBTN);
        EXPECT_TRUE(EepromCalls(CallsSince(mark)).empty());

        hl::Press(SetupHandle(), SETUPPANEL_DISCONNECT);
        EXPECT_TRUE(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_PROGRAM));
    });
}
