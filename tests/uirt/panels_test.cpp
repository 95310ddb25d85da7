// Kestrel's panel resources: constants, labels, values when loaded, hidden controls, menus,
// wizard texts and the setup panel's groups. Titles, sizes and overlaps: tests/qt.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Callbacks.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/state.h"
#include "ui/About.h"
#include "ui/KestrelUIR.h"
#include "ui/ProgWizUIR.h"
#include "ui/Resources.h"

namespace hl = uirt::headless;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

class Panels : public ::testing::Test {
  protected:
    void SetUp() override {
        hl::Reset();
        RegisterKestrelResources();
        InstallKestrelCallbacks();
        InitCVIRTE(nullptr, nullptr, nullptr);
        mainPanel = LoadPanel(0, "KestrelUIR.uir", MAINPANEL);
        setup = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL);
        about = LoadPanel(0, "About.uir", ABOUTPANEL);
    }
    void TearDown() override { hl::Reset(); }
    int mainPanel = 0, setup = 0, about = 0;
};

// Fails if a table entry carries a number or name different from its header constant, or a
// number is missing or doubled.
TEST_F(Panels, EveryControlNumberExistsOnceWithItsName) {
    const uirt::PanelState* p = uirt::FindPanel(setup);
    ASSERT_NE(p, nullptr);
    Ints ids, expected;
    for (const auto& c : p->controls)
        ids.push_back(c.id);
    std::sort(ids.begin(), ids.end());
    for (int i = 2; i <= 66; ++i)
        expected.push_back(i);
    EXPECT_EQ(ids, expected);
    for (auto [id, name] : {std::pair{SETUPPANEL_LATTIMER, "SETUPPANEL_LATTIMER"},
                            {SETUPPANEL_DECORATION_7, "SETUPPANEL_DECORATION_7"},
                            {SETUPPANEL_TEXTMSG_11, "SETUPPANEL_TEXTMSG_11"}}) {
        char constName[64];
        GetCtrlAttribute(setup, id, ATTR_CONSTANT_NAME, constName);
        EXPECT_STREQ(constName, name);
    }
    const uirt::MenuBarState* bar = uirt::FindMenuBar(GetPanelMenuBar(mainPanel));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->entries.size(), 26u);
    for (std::size_t i = 0; i < bar->entries.size(); ++i)
        EXPECT_EQ(bar->entries[i].id, static_cast<int>(i) + 2);
    EXPECT_STREQ(bar->entries[MENUBAR_TESTMENU_ERASE - 2].res->constName, "MENUBAR_TESTMENU_ERASE");
}

// Fails if a label, text, value, list, dimming or hidden control when loaded differs from the
// control map.
TEST_F(Panels, ValuesWhenLoaded) {
    struct Shown {
        int panel, control;
        const char* text;
    };
    for (const Shown& s : {Shown{mainPanel, MAINPANEL_QUITBTN, "__Exit"},
                           {setup, SETUPPANEL_DISCONNECT, "  __Disconnect  "},
                           {setup, SETUPPANEL_COMMANDBUTTON, "__Seachr AAFFFF"},
                           {about, ABOUTPANEL_ABOUT_CLOSE, "__OK"}})
        EXPECT_EQ(hl::Label(s.panel, s.control), s.text);
    for (const Shown& s : {Shown{about, ABOUTPANEL_TEXTMSG_2, "Kestrel 2.0"},
                           {setup, SETUPPANEL_LATTIMER, "2"},
                           {setup, SETUPPANEL_TXBUFSZ, "2048"},
                           {setup, SETUPPANEL_RXBUFSZ, "8192"},
                           {setup, SETUPPANEL_WORDCOUNT, "1"},
                           {setup, SETUPPANEL_BINARYSWITCH, "Corvo"},
                           {setup, SETUPPANEL_ASYNC_CHK, "1"},
                           {setup, SETUPPANEL_LOOPCHECKBOX, "0"},
                           {setup, SETUPPANEL_SERNUMTXT, ""}})
        EXPECT_EQ(hl::Text(s.panel, s.control), s.text) << s.control;
    EXPECT_EQ(uirt::FindControl(mainPanel, MAINPANEL_INFOTEXTBOX)->res->font,
              std::string("Courier New"));
    EXPECT_EQ(hl::ListLabels(setup, SETUPPANEL_LSTDEVICES), Strings{});
    EXPECT_EQ(hl::ListLabels(setup, SETUPPANEL_IOMODE),
              (Strings{"<Read>", "<Write>", "<Wr/Rd byte>", "<Wr/Rd burst>", "Extended read"}));
    for (int radio : {SETUPPANEL_IOMODE, SETUPPANEL_DATATYPERADIO, SETUPPANEL_DATASZRADIO,
                      SETUPPANEL_BYTEORDERRADIO})
        EXPECT_EQ(hl::MarkedOption(setup, radio), 0);
    EXPECT_TRUE(hl::IsDimmed(setup, SETUPPANEL_PATTERNRING));
    EXPECT_EQ(hl::ListLabels(setup, SETUPPANEL_PATTERNRING).size(), 14u);
    SetCtrlVal(setup, SETUPPANEL_PATTERNRING, 0xAA55AA55u);
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_PATTERNRING), "AA55AA55");
    SetCtrlVal(setup, SETUPPANEL_LOOPRING, 1000u);
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_LOOPRING), "1 s");
    double interval = 0;
    int enabled = 1;
    GetCtrlAttribute(setup, SETUPPANEL_TIMER, ATTR_INTERVAL, &interval);
    GetCtrlAttribute(setup, SETUPPANEL_TIMER, ATTR_ENABLED, &enabled);
    EXPECT_DOUBLE_EQ(interval, 0.01);
    EXPECT_EQ(enabled, 0);
    // The maintenance buttons, and nothing else, are hidden.
    Ints hidden;
    for (const auto& c : uirt::FindPanel(setup)->controls)
        if (!c.visible) hidden.push_back(c.id);
    EXPECT_EQ(hidden, (Ints{SETUPPANEL_SPEED_BTN, SETUPPANEL_SIMUL_BTN, SETUPPANEL_COMMANDBUTTON,
                            SETUPPANEL_PURGEFIFOBTN, SETUPPANEL_FIFOSTATBTN}));
}

// Fails if 300 can be entered as the latency, 200 as the sub-address or a tenth character of
// the serial number.
TEST_F(Panels, FieldsHoldOnlyTheirRange) {
    DisplayPanel(setup);
    hl::EnterValue(setup, SETUPPANEL_LATTIMER, 300);
    hl::EnterValue(setup, SETUPPANEL_SUBADDRESS, 200);
    hl::EnterValue(setup, SETUPPANEL_WORDCOUNT, 0);
    EXPECT_EQ(hl::Value(setup, SETUPPANEL_LATTIMER), 255);
    EXPECT_EQ(hl::Value(setup, SETUPPANEL_SUBADDRESS), 126);
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_SUBADDRESS), "7E");
    EXPECT_EQ(hl::Value(setup, SETUPPANEL_WORDCOUNT), 1);
    EXPECT_EQ(hl::EnterText(setup, SETUPPANEL_SERNUMTXT, "ABCDEFGHIJKL"), 0);
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_SERNUMTXT), "ABCDEFGHI");
}

// Fails if a menu item's label, shortcut or dimmed state when loaded differs from the map.
TEST_F(Panels, MenuBarWhenLoaded) {
    const int bar = GetPanelMenuBar(mainPanel);
    ASSERT_GT(bar, 0);
    EXPECT_EQ(GetPanelMenuBar(setup), 0);
    const uirt::MenuBarState* b = uirt::FindMenuBar(bar);
    Ints dimmed;
    for (const auto& e : b->entries)
        if (hl::IsMenuItemDimmed(bar, e.id)) dimmed.push_back(e.id);
    EXPECT_EQ(dimmed, (Ints{MENUBAR_FILEMENU_OPENF, MENUBAR_FILEMENU_SAVE, MENUBAR_FILEMENU_SAVEAS,
                            MENUBAR_FILEMENU_PRINT, MENUBAR_EDIT_PASTE, MENUBAR_EDIT_CUT,
                            MENUBAR_EDIT_COPY, MENUBAR_EDIT_SELALL, MENUBAR_TESTMENU_SHOWDLG,
                            MENUBAR_TESTMENU_ERASE, MENUBAR_TESTMENU_PROGRAM}));
    const auto& help = b->entries[MENUBAR_HELPMENU_HLP_CNTNT - 2];
    EXPECT_EQ(help.label, "__Contents");
    EXPECT_STREQ(help.res->shortcut, "F1");
    EXPECT_EQ(help.menu, MENUBAR_HELPMENU);
    EXPECT_EQ(b->entries[MENUBAR_TESTMENU_PROGRAM - 2].label, "(Re)__Program EEPROM");
    EXPECT_TRUE(b->entries[MENUBAR_EDIT_SEPARATOR_7 - 2].separator);
}

// Fails if a wizard page, heading or quoted text differs from the wizard's wording.
TEST_F(Panels, WizardPages) {
    const std::pair<int, const char*> headings[] = {
        {PANEL_TEXTMSG, "CorvoUsb device customization wizard"},
        {PANEL_2_TEXTMSG, "Device descrition (name)"},
        {PANEL_3_TEXTMSG, "Serial number"},
        {PANEL_4_TEXTMSG, "Power consumption and source"},
        {PANEL_5_TEXTMSG, "I/O Ports output drive current"},
        {PANEL_6_TEXTMSG, "Device customization completed"}};
    int pages[6];
    for (int i = 0; i < 6; ++i) {
        pages[i] = LoadPanel(0, "ProgWizUIR.uir", i + 1);
        ASSERT_GT(pages[i], 0);
        EXPECT_EQ(hl::Text(pages[i], headings[i].first), headings[i].second);
    }
    EXPECT_LT(LoadPanel(0, "ProgWizUIR.uir", 7), 0);
    EXPECT_EQ(hl::Text(pages[0], PANEL_TEXTBOX),
              "Welcome to the device customization wizard !\n"
              "This wizard will help you to customize your new design by entering your own \n"
              "device description, its serial number, the maximum power current as well as\n"
              "the power source (bus or self-powered).\n"
              "Please press the next button to continue or cancel to exit.\n\n");
    EXPECT_EQ(hl::Text(pages[5], PANEL_6_TEXTBOX),
              "You have completed the device customization !\n"
              "To validate your modifications press the \"finish\" button.\n"
              "You can make some changes using \"back\" or exit this\n"
              "wizard with the \"cancel\" button .");
    EXPECT_TRUE(hl::IsDimmed(pages[0], PANEL_PREVBTN));
    EXPECT_EQ(hl::Text(pages[1], PANEL_2_DEVDESCSTR),
              "Enter device description here (64 characters max)");
    EXPECT_EQ(hl::Text(pages[2], PANEL_3_SERNUMSTR), "Enter serial number here (8 chars max)");
    EXPECT_EQ(hl::Text(pages[3], PANEL_4_MAXPOWER), "100");
    DisplayPanel(pages[3]);
    hl::EnterValue(pages[3], PANEL_4_MAXPOWER, 1000);
    EXPECT_EQ(hl::Value(pages[3], PANEL_4_MAXPOWER), 500);
    EXPECT_EQ(hl::ListLabels(pages[3], PANEL_4_RADIOGROUP), (Strings{"USB bus", "Self-powered"}));
    EXPECT_EQ(hl::ListLabels(pages[4], PANEL_5_DRIVECURRENT),
              (Strings{"4 mA", "8 mA", "12 mA", "16 mA"}));
    EXPECT_EQ(hl::Label(pages[5], PANEL_6_FINISHBTN), "__Finish");
    // The second text field limits its text to 64 characters; the serial number has no limit.
    EXPECT_EQ(hl::EnterText(pages[1], PANEL_2_DEVDESCSTR, "x"), UIE_NO_INPUT); // page hidden
    DisplayPanel(pages[1]);
    hl::EnterText(pages[1], PANEL_2_DEVDESCSTR, std::string(70, 'x'));
    EXPECT_EQ(hl::Text(pages[1], PANEL_2_DEVDESCSTR), std::string(64, 'x'));
}

// Fails if a callback name of the panels is neither bound nor reported, or if a callback of the
// transfer tests and loop mode is left unbound.
TEST_F(Panels, EveryNamedCallbackIsBoundOrReported) {
    std::size_t named = 0;
    for (int p : {mainPanel, setup, about}) {
        for (const auto& c : uirt::FindPanel(p)->controls)
            named += *c.res->callback != '\0' && !c.callback;
    }
    std::size_t reported = 0;
    for (const auto& u : uirt::UnboundCallbacks())
        reported += u.panel != std::string_view("MAINPANEL") || u.owner.starts_with("MAINPANEL_");
    EXPECT_EQ(reported, named);
    const Strings engine = {"IOCallback", "IOModeCB",   "ByteOrderCB", "DataSizeCB",
                            "DataTypeCB", "PatternCB",  "PrintChkCB",  "ShortPrintChkCB",
                            "LoopChkCB",  "LoopTimeCB", "TimerCB"};
    for (const auto& u : uirt::UnboundCallbacks())
        EXPECT_EQ(std::count(engine.begin(), engine.end(), u.callback), 0) << u.callback;
}

// Fails if a captioned group has no frame under its caption or a caption is missing.
TEST_F(Panels, SetupPanelGroupsHaveCaptionsOnFrames) {
    const uirt::PanelState& p = *uirt::FindPanel(setup);
    Strings captions;
    for (const auto& c : p.controls) {
        if (c.kind != uirt::CtrlKind::TextMessage) continue;
        captions.push_back(c.text.str());
        const int middle = c.top + c.height / 2;
        const bool onFrame = std::any_of(p.controls.begin(), p.controls.end(), [&](const auto& d) {
            return d.kind == uirt::CtrlKind::Decoration && d.top >= c.top && d.top <= middle + 2 &&
                   c.left > d.left && c.left + c.width < d.left + d.width;
        });
        EXPECT_TRUE(onFrame) << c.text.view();
    }
    std::sort(captions.begin(), captions.end());
    Strings expected = {"Input/Output", "Options",       "IO mode",           "Data size",
                        "Data type",    "Byte order",    "Timing parameters", "Buffer size",
                        "Device Setup", "Encapsulation", "Selected device"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(captions, expected);
}
