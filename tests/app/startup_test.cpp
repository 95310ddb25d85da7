// Start-up, shutdown, the information box and the "USB Error" box.
#include "tests/support/KestrelSession.h"

#include "core/time_utils.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Output.h"

#include <sys/stat.h>

// Fails when start-up without a file does not set both stopwatch marks, or does not reach the
// event loop connected to the only board through the fall-back, or quitting does not save the
// board's identity and defaults; or when the "Data check" group does not show the settings of
// kestrel.ini, a change is not saved there at exit, kestrel.cfg stops being its 20 lines, or the
// sequence is not dimmed while unused.
TEST_F(KestrelSession, StartsWithDefaultsOnTheOnlyBoardAndSavesAtExit) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    std::ofstream("kestrel.ini") << "version = 1\nverify = 1\nprbs-order = 15\n";
    SetPrecTimerMarks(1, 2); // stale marks, which start-up must both replace
    bool checked = false;
    Then([&] {
        checked = true;
        EXPECT_TRUE(ElapsedTimeDouble() >= 0.0 && ElapsedTimeDouble() < 1.0);
        EXPECT_TRUE(hl::IsPanelVisible(MainHandle()) && hl::IsPanelVisible(SetupHandle()) &&
                    hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_SHOWDLG) && GetUsbId() > 0);
        EXPECT_EQ(std::tuple(hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES),
                             hl::Text(SetupHandle(), SETUPPANEL_SERNUMTXT),
                             hl::ActiveCtrl(SetupHandle()), hl::Popups().size()),
                  std::tuple(std::vector<std::string>{"Simulated Corvo Board"}, "SIM00001",
                             int{SETUPPANEL_APPLYBTN}, 0u));
        ExpectTestsOffered(true);

        EXPECT_EQ((std::vector<double>{hl::Value(SetupHandle(), SETUPPANEL_VERIFYCHK),
                                       hl::Value(SetupHandle(), SETUPPANEL_PRBSCHK),
                                       hl::Value(SetupHandle(), SETUPPANEL_PRBSRING)}),
                  (std::vector<double>{1, 0, 15}));
        EXPECT_FALSE(hl::IsDimmed(SetupHandle(), SETUPPANEL_PRBSRING));
        hl::Toggle(SetupHandle(), SETUPPANEL_VERIFYCHK, 0);
        EXPECT_TRUE(hl::IsDimmed(SetupHandle(), SETUPPANEL_PRBSRING));
        hl::Toggle(SetupHandle(), SETUPPANEL_PRBSCHK, 1);
        EXPECT_FALSE(hl::IsDimmed(SetupHandle(), SETUPPANEL_PRBSRING));
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_PRBSRING, 2);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(checked);
    EXPECT_EQ(ReadFile("kestrel.ini"), "version = 1\nprbs-data = 1\nprbs-order = 23\nverify = 0\n");

    const auto calls = bus::CallLog();
    auto at = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    // No serial number stored: straight to device 0's; bring the link up, then interrupt
    // checking off and the debug log open before the loop; log closed, all closed.
    EXPECT_LT(at("USB_SetPerrorFunc(func)"), at("USB_CloseAll()"));
    EXPECT_EQ(at("OpenUsbDevice(\"\")"), static_cast<long>(calls.size()));
    auto from = calls.begin();
    for (const char* call :
         {"USB_FindDevices(0)", "GetDeviceSerNum(data, 0)", "OpenUsbDevice(\"SIM00001\")",
          "UsbSetIntCheckingState(1)", "USB_Init(1, 1)", "USB_SetLatencyTimer(1, 2)",
          "USB_SetTimeouts(1, 1000, 1000)", "USB_SetXferSize(1, 4096, 32768)",
          "USB_ReadEEpromData(1, 0)", "USB_SetFlowControlToHardware(1)",
          "UsbSetIntCheckingState(0)", "dbg_OpenLogFile()", "dbg_CloseLogFile()"}) {
        from = std::find(from, calls.end(), call);
        ASSERT_NE(from, calls.end()) << call << " missing or out of order";
    }
    EXPECT_EQ(calls.back(), "USB_CloseAll()");

    // The record's lines: tests/core.
    EXPECT_EQ(ConfigLines().size(), 20u);
}

// Fails when a failed buffer allocation enters the loop, writes settings or exits non-zero.
TEST_F(KestrelSession, BufferAllocationFailureStopsQuietly) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    SetInterfaceBufferAllocator([](size_t) -> void* { return nullptr; });
    EXPECT_EQ(KestrelMain(), 0);
    EXPECT_EQ(hl::LastText("MAINPANEL", MAINPANEL_INFOTEXTBOX), "Main buffer allocation error!\n");
    EXPECT_FALSE(hl::EventLoopRan() || std::filesystem::exists("kestrel.cfg"));
}

// Fails when InfoPrintf breaks lines it was not given, or overruns its buffer on long text.
TEST_F(KestrelSession, InfoPrintfAppendsAndCutsLongText) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    Then([&] {
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, "");
        InfoPrintf("Frames %d", 3);
        InfoPrintf(" and %s\n", "more");
        InfoPrintf("%s", std::string(500, 'x').c_str());
        EXPECT_EQ(InfoText(), "Frames 3 and more\n" + std::string(131, 'x'));
    });
    Run();
}

// Fails when the Exit button or closing the main window does not end the run with a save.
TEST_F(KestrelSession, ExitButtonAndClosingTheWindowQuit) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    for (bool closeWindow : {false, true}) {
        hl::Reset();
        std::filesystem::remove("kestrel.cfg");
        hl::Script([closeWindow] {
            closeWindow ? hl::ClosePanel(MainHandle()) : hl::Press(MainHandle(), MAINPANEL_QUITBTN);
        });
        hl::Script([] { ADD_FAILURE() << "the event loop went on after quitting"; });
        EXPECT_EQ(KestrelMain(), 0);
        EXPECT_TRUE(hl::EventLoopQuitCode() == 0 && std::filesystem::exists("kestrel.cfg"));
    }
}

// Fails when a kestrel.cfg that is no settings file hangs start-up or is not named in the
// information box, or settings that cannot be saved are lost without a "Kestrel" box that
// names the file and the reason, or the exit code changes.
TEST_F(KestrelSession, RefusedSettingsFileIsReportedAtStartAndExit) {
    alarm(20); // a start-up that blocks on the FIFO ends the test here
    AddBoard("Simulated Corvo Board", "SIM00001");
    ASSERT_EQ(mkfifo("kestrel.cfg", 0644), 0);
    const std::string path = std::filesystem::canonical(".").string() + "/kestrel.cfg";
    bool ran = false;
    Then([&] {
        ran = true;
        EXPECT_NE(InfoText().find(path + " was not read (not a regular file); the settings start "
                                         "from their defaults.\n"),
                  std::string::npos);
        EXPECT_TRUE(hl::Popups().empty());
    });
    EXPECT_EQ(Run(), 0);
    alarm(0);
    EXPECT_TRUE(ran);
    ASSERT_EQ(hl::Popups().size(), 1u);
    EXPECT_EQ(hl::Popups()[0].title + ": " + hl::Popups()[0].text,
              "Kestrel: The settings could not be saved to " + path + ": not a regular file.");
}
