// Device listing, scan, selection, connection and disconnection on the setup panel.
#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "usb/UsbDevices.h"

// Fails when the listing does not show the last matching board, or a selection does not store
// the lowest matching index's serial number for the next connection.
TEST_F(KestrelSession, TwinBoardsListHigherSelectLower) {
    AddBoard("Twin Board", "TWIN0");
    AddBoard("Twin Board", "TWIN1");
    WriteConfig("Twin Board\nTWIN0\n");
    Then([&] {
        ClearListCtrl(SetupHandle(), SETUPPANEL_LSTDEVICES);
        GetCompatibleUsbDevices(0);
        GetCompatibleUsbDevices(1);
        const auto shown = [] {
            return std::tuple(hl::Value(SetupHandle(), SETUPPANEL_DEV_INDEX),
                              hl::Text(SetupHandle(), SETUPPANEL_SERNUMTXT),
                              std::string(GetSerNum()));
        };
        EXPECT_EQ(shown(), std::tuple(1.0, "TWIN1", "TWIN0")); // listing keeps the stored one
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LSTDEVICES, 1);
        EXPECT_EQ(shown(), std::tuple(1.0, "TWIN0", "TWIN0"));
        ExpectTestsOffered(false);

        size_t mark = bus::CallLog().size();
        hl::Press(SetupHandle(), SETUPPANEL_RESETBTN);
        EXPECT_TRUE(Contains(CallsSince(mark), "OpenUsbDevice(\"TWIN0\")"));
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 1);
    });
    Run();
}

// Fails when a start-up on an empty bus does not report the failed connection and still run, or
// leaves Apply, Loop, Disconnect or the EEPROM controls on.
TEST_F(KestrelSession, StartUpOnAnEmptyBus) {
    bool ran = false;
    Then([&] {
        ran = true;
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 0);
        EXPECT_FALSE(hl::IsDimmed(SetupHandle(), SETUPPANEL_RESETBTN));
        ExpectTestsOffered(false);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(ran);
    EXPECT_EQ(Popups("USB Error"), 1u);
}

// Fails when disconnecting does not close the device and stop the loop lamp, connecting again
// does not open the board anew, or a typed serial number is not the one that connection opens.
TEST_F(KestrelSession, DisconnectThenConnectTheTypedSerialNumber) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    AddBoard("Second Board", "SEC2");
    Then([&] {
        int handle = GetUsbId();
        size_t mark = bus::CallLog().size();
        hl::Press(SetupHandle(), SETUPPANEL_DISCONNECT);
        auto calls = CallsSince(mark);
        EXPECT_TRUE(Contains(calls, "CloseUsbDevice(" + std::to_string(handle) + ")") &&
                    Contains(calls, "dbg_CloseLogFile()"));
        ExpectTestsOffered(false);

        hl::EnterText(SetupHandle(), SETUPPANEL_SERNUMTXT, "SEC2");
        EXPECT_STREQ(GetSerNum(), "SEC2");
        mark = bus::CallLog().size();
        hl::Press(SetupHandle(), SETUPPANEL_RESETBTN);
        calls = CallsSince(mark);
        EXPECT_TRUE(Contains(calls, "OpenUsbDevice(\"SEC2\")") &&
                    Contains(calls, "dbg_OpenLogFile()"));
        EXPECT_EQ(std::tuple(std::string(GetDevDesc()),
                             hl::Text(SetupHandle(), SETUPPANEL_SERNUMTXT), hl::Popups().size(),
                             GetUsbId() > handle),
                  std::tuple("Second Board", "SEC2", 0u, true));
        ExpectTestsOffered(true);
        // Closing a handle twice stays harmless.
        EXPECT_EQ(CloseUsbDevice(handle), 1);
    });
    Run();
}

// Fails when the panel, refreshed by "Show window" after a disconnection, a scan (with or
// without boards) or a selection, shows a device as connected that those closed; or a scan of
// an empty bus does not report once, or keeps the old identity or list.
TEST_F(KestrelSession, ClosedConnectionIsNeverShownAsOpen) {
    int board = AddBoard("Simulated Corvo Board", "SIM00001");
    auto expectDisconnectedAfterShow = [&](const char* after) {
        SCOPED_TRACE(after);
        hl::Press(SetupHandle(), SETUPPANEL_CLOSEBTN);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_TESTMENU_SHOWDLG);
        EXPECT_LE(GetUsbId(), 0);
        ExpectTestsOffered(false);
        hl::Press(SetupHandle(), SETUPPANEL_RESETBTN);
    };
    Then([&] {
        hl::Press(SetupHandle(), SETUPPANEL_DISCONNECT);
        expectDisconnectedAfterShow("disconnect");
        hl::Press(SetupHandle(), SETUPPANEL_CMDREFRESH);
        expectDisconnectedAfterShow("scan");
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LSTDEVICES, 0);
        expectDisconnectedAfterShow("selection");
        bus::UnplugBoard(board);
        hl::Press(SetupHandle(), SETUPPANEL_CMDREFRESH);
        ASSERT_EQ(hl::Popups().size(), 1u);
        EXPECT_EQ(hl::Popups()[0].title + ": " + hl::Popups()[0].text, "Error: No device found");
        EXPECT_EQ(GetDevDesc() + std::string(GetSerNum()) +
                      hl::Text(SetupHandle(), SETUPPANEL_SERNUMTXT),
                  "");
        EXPECT_TRUE(hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES).empty());
        bus::PlugBoard(board);
        expectDisconnectedAfterShow("scan of an empty bus");
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LED), 1);
    });
    Run();
}

// Fails when an empty configured serial number opens an erased board instead of device 0,
// which the panel shows, or the fall-back no longer reaches an erased device 0.
TEST_F(KestrelSession, NoSerialNumberOpensDeviceZeroNotAnErasedBoard) {
    AddBoard("Programmed Board", "P0");
    AddBoard("", "");
    Then([&] {
        EXPECT_TRUE(bus::Board(0).open && !bus::Board(1).open);
        EXPECT_EQ(std::tuple(std::string(GetSerNum()),
                             hl::Text(SetupHandle(), SETUPPANEL_SERNUMTXT),
                             hl::Value(SetupHandle(), SETUPPANEL_LED)),
                  std::tuple("P0", "P0", 1.0));

        // Device 0 erased (as after the wizard's erase): the fall-back still reaches it.
        bus::ResetBus();
        AddBoard("", "");
        AddBoard("Programmed Board", "P1");
        SetSerNum("P0");
        InitUsbInterface();
        EXPECT_TRUE(bus::Board(0).open && GetUsbId() > 0);
    });
    Run();
}

// Fails when a board described with the full 64 characters is listed cut, is not the one
// shown and selected for its configured description, or is stored cut by the fall-back; or
// a ninth board is written past the 8-slot description table or listed.
TEST_F(KestrelSession, FullLengthDescriptionAndEightBoardsAreListed) {
    const std::string full(64, 'L');
    AddBoard("Other Board", "OTH1");
    AddBoard(full, "LONG1");
    WriteConfig(full + "\nLONG1\n");
    Then([&] {
        EXPECT_EQ(hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES),
                  (std::vector<std::string>{"Other Board", full}));
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_DEV_INDEX) +
                      hl::Value(SetupHandle(), SETUPPANEL_LSTDEVICES),
                  2);
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LSTDEVICES, 0);
        EXPECT_STREQ(GetSerNum(), "OTH1");
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_LSTDEVICES, 1);
        EXPECT_EQ(GetDevDesc() + std::string("/") + GetSerNum(), full + "/LONG1");

        // Falling back to device 0 keeps its whole description when its EEPROM cannot be read.
        bus::ResetBus();
        AddBoard(full, "LONG1");
        SetSerNum("GONE");
        bus::FailNextCall("USB_ReadEEpromData", 9);
        InitUsbInterface();
        EXPECT_EQ(GetDevDesc(), full);

        for (int i = 1; i < 10; ++i)
            AddBoard("Board " + std::to_string(i), "B" + std::to_string(i));
        hl::Press(SetupHandle(), SETUPPANEL_CMDREFRESH);
        auto labels = hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES);
        ASSERT_EQ(labels.size(), 8u);
        EXPECT_EQ(labels.back(), "Board 7");
    });
    Run();
}

// Fails when a board described "USB-Blaster" is offered for testing although it is open.
TEST_F(KestrelSession, UsbBlasterIsNeverOffered) {
    AddBoard("USB-Blaster", "UB1");
    WriteConfig("USB-Blaster\nUB1\n");
    Then([&] {
        EXPECT_GT(GetUsbId(), 0);
        ExpectTestsOffered(false);
    });
    Run();
}
