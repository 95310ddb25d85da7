// Link parameters, the encapsulation switch, FIFO purge and status, and the setup panel's
// contents, close and show.
#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/SetupPanel.h"
#include "usb/UsbLink.h"

// Fails when a link setting is not stored, or not sent with the stored value of the other
// direction in the right order; or "None" does not send the baud rate once and dim the
// sub-address, or "Corvo" sends anything or leaves it dimmed; or purge or status do not print
// the library's counts.
TEST_F(KestrelSession, LinkParametersAndEncapsulationAreStoredAndSent) {
    const int board = AddBoard("Simulated Corvo Board", "SIM00001");
    WriteConfig("Simulated Corvo Board\nSIM00001\n0\n0\n0\n00000000\n1\n1\n0\n2\n0\n2\n3e8\n3e8\n"
                "1000\n2000\n0\n1\n0\n1\n");
    Then([&] {
        size_t mark = bus::CallLog().size();
        hl::EnterValue(SetupHandle(), SETUPPANEL_TXBUFSZ, 4096);
        hl::EnterValue(SetupHandle(), SETUPPANEL_RXBUFSZ, 16384);
        hl::EnterValue(SetupHandle(), SETUPPANEL_WRTIMEOUT, 250);
        hl::EnterValue(SetupHandle(), SETUPPANEL_RDTIMEOUT, 750);
        hl::EnterValue(SetupHandle(), SETUPPANEL_LATTIMER, 300); // clamped to 255 by the field
        EXPECT_EQ(CallsSince(mark), (std::vector<std::string>{"USB_SetXferSize(1, 4096, 8192)",
                                                              "USB_SetXferSize(1, 4096, 16384)",
                                                              "USB_SetTimeouts(1, 250, 1000)",
                                                              "USB_SetTimeouts(1, 250, 750)",
                                                              "USB_SetLatencyTimer(1, 255)"}));
        EXPECT_EQ((std::vector<int>{GetTxBuffer(), GetRxBuffer(), GetTxTimeout(), GetRxTimeout(),
                                    GetLatTimer()}),
                  (std::vector<int>{4096, 16384, 250, 750, 255}));

        mark = bus::CallLog().size();
        hl::Toggle(SetupHandle(), SETUPPANEL_ASYNC_CHK, 0);
        hl::Toggle(SetupHandle(), SETUPPANEL_ASYNC_CHK, 1);
        EXPECT_EQ(CallsSince(mark), (std::vector<std::string>{"USB_SetSynchronousMode(1, 100)",
                                                              "USB_SetFlowControlToHardware(1)",
                                                              "USB_ResetMode(1)"}));

        EXPECT_EQ(EncapsulationState, 1);
        mark = bus::CallLog().size();
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 0);
        EXPECT_EQ(EncapsulationState, 0);
        EXPECT_TRUE(hl::IsDimmed(SetupHandle(), SETUPPANEL_SUBADDRESS));
        EXPECT_EQ(CallsSince(mark), std::vector<std::string>{"USB_SetBaudRate(1, 921600)"});
        mark = bus::CallLog().size();
        hl::Toggle(SetupHandle(), SETUPPANEL_BINARYSWITCH, 1);
        EXPECT_EQ(EncapsulationState, 1);
        EXPECT_FALSE(hl::IsDimmed(SetupHandle(), SETUPPANEL_SUBADDRESS));
        EXPECT_TRUE(CallsSince(mark).empty());

        const unsigned char unasked[5] = {1, 2, 3, 4, 5};
        bus::SendUnasked(board, unasked);
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, "");
        GetFifoStatusCB(SetupHandle(), SETUPPANEL_FIFOSTATBTN, EVENT_COMMIT, nullptr, 0, 0);
        PurgeUsbBufferCB(SetupHandle(), SETUPPANEL_PURGEFIFOBTN, EVENT_COMMIT, nullptr, 0, 0);
        EXPECT_EQ(InfoText(), "5 bytes are pending within receive FIFO\n"
                              "0 bytes are pending within transmit FIFO\n"
                              "Buffer purged. 0 byte(s) remaining in the receive queue\n");
        EXPECT_TRUE(hl::Popups().empty());
    });
    Run();
}

// Fails when a step of filling the setup panel from the record is missing: the start value cut
// to the word size with its digits (the record keeps all bits), the radio groups, the byte
// order marked at start-up, increment, word count, pattern and loop-time rings, "Show EEPROM",
// "Short display" dimmed with printing off; or a latency from kestrel.cfg not sent as its low
// 8 bits, or its time-outs not sent in their order; or "Close" does not hide the panel and
// offer "Show window", or "Show window" does not bring it back refreshed from the record.
TEST_F(KestrelSession, SetupPanelShowsTheRecord) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    WriteConfig("Simulated Corvo Board\nSIM00001\n0\n3\n1\n00000012\n5\n20\n55aa55aa\n64\n0\n300\n"
                "3e8\n1f4\n1000\n8000\n1\n0\n1\n1\n");
    Then([&] {
        EXPECT_EQ(hl::Text(SetupHandle(), SETUPPANEL_DATA), "0012");
        EXPECT_EQ(hl::MarkedOption(SetupHandle(), SETUPPANEL_IOMODE), 3);
        EXPECT_EQ(hl::MarkedOption(SetupHandle(), SETUPPANEL_DATASZRADIO), 1);
        EXPECT_EQ(hl::MarkedOption(SetupHandle(), SETUPPANEL_BYTEORDERRADIO), 1);
        std::vector<double> values;
        for (int c : {SETUPPANEL_INCREMENT, SETUPPANEL_WORDCOUNT, SETUPPANEL_PATTERNRING,
                      SETUPPANEL_LOOPRING, SETUPPANEL_EEPROMCHK, SETUPPANEL_SHORTPRINT})
            values.push_back(hl::Value(SetupHandle(), c));
        EXPECT_EQ(values, (std::vector<double>{5, 32, 0x55AA55AA, 100, 1, 1}));
        EXPECT_TRUE(hl::IsDimmed(SetupHandle(), SETUPPANEL_SHORTPRINT));
        EXPECT_TRUE(Contains(bus::CallLog(), "USB_SetLatencyTimer(1, 44)"));
        EXPECT_TRUE(Contains(bus::CallLog(), "USB_SetTimeouts(1, 1000, 500)"));
        SetStartVal(0x55AA0012);
        for (auto [size, shown] : {std::pair{0, "12"}, {2, "55AA0012"}}) {
            SetWordSize(size);
            InitSetupControls();
            EXPECT_EQ(hl::Text(SetupHandle(), SETUPPANEL_DATA), shown);
        }
        SetStartVal(0x12);
        InitSetupControls();
        EXPECT_EQ(hl::Text(SetupHandle(), SETUPPANEL_DATA), "00000012");
        EXPECT_EQ(GetStartVal(), 0x12);

        hl::Press(SetupHandle(), SETUPPANEL_CLOSEBTN);
        EXPECT_FALSE(hl::IsPanelVisible(SetupHandle()));
        EXPECT_FALSE(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_SHOWDLG));
        SetCtrlVal(SetupHandle(), SETUPPANEL_LATTIMER, 77); // shown but never stored
        SetCtrlVal(SetupHandle(), SETUPPANEL_INCREMENT, 9);
        EXPECT_EQ(hl::ChooseMenuItem(MenuBar(), MENUBAR_TESTMENU_SHOWDLG), 0);
        EXPECT_TRUE(hl::IsPanelVisible(SetupHandle()));
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_LATTIMER), 255); // 300, at the field's top
        EXPECT_EQ(hl::Value(SetupHandle(), SETUPPANEL_INCREMENT), 5);
        EXPECT_TRUE(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_SHOWDLG));
    });
    Run();
}
