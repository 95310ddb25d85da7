// Kestrel's panel resources: constants, labels, values when loaded, hidden controls, menus,
// wizard texts and the setup panel's layout.
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

// Fails if a constant does not resolve to its number in the control map.
TEST_F(Panels, ConstantsResolveToTheirNumbers) {
    EXPECT_EQ(SETUPPANEL_LATTIMER, 23);
    EXPECT_EQ(MAINPANEL_INFOTEXTBOX, 2);
    EXPECT_EQ(MENUBAR_TESTMENU_SHOWDLG, 18);
    EXPECT_EQ(MENUBAR_TESTMENU_ERASE, 20);
    EXPECT_EQ(MENUBAR_FILEMENU_PRINT, 8);
    EXPECT_EQ(SETUPPANEL_FIFOSTATBTN, 66);
    EXPECT_EQ(MENUBAR_HELPMENU_ABOUT, 27);
    EXPECT_EQ(ABOUTPANEL_SEP, 9);
    EXPECT_EQ(PANEL_4_RADIOGROUP, 10);
    EXPECT_EQ(PANEL_6_FINISHBTN, 4);
}

// Fails if a table entry carries a number or name different from its header constant, or a
// number is missing or doubled.
TEST_F(Panels, EveryControlNumberExistsOnceWithItsName) {
    const uirt::PanelState* p = uirt::FindPanel(setup);
    ASSERT_NE(p, nullptr);
    std::vector<int> ids;
    for (const auto& c : p->controls)
        ids.push_back(c.id);
    std::sort(ids.begin(), ids.end());
    std::vector<int> expected(65);
    for (int i = 0; i < 65; ++i)
        expected[static_cast<std::size_t>(i)] = i + 2;
    EXPECT_EQ(ids, expected);
    char name[64];
    GetCtrlAttribute(setup, SETUPPANEL_LATTIMER, ATTR_CONSTANT_NAME, name);
    EXPECT_STREQ(name, "SETUPPANEL_LATTIMER");
    GetCtrlAttribute(setup, SETUPPANEL_DECORATION_7, ATTR_CONSTANT_NAME, name);
    EXPECT_STREQ(name, "SETUPPANEL_DECORATION_7");
    GetCtrlAttribute(setup, SETUPPANEL_TEXTMSG_11, ATTR_CONSTANT_NAME, name);
    EXPECT_STREQ(name, "SETUPPANEL_TEXTMSG_11");
    const uirt::MenuBarState* bar = uirt::FindMenuBar(GetPanelMenuBar(mainPanel));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->entries.size(), 26u);
    for (std::size_t i = 0; i < bar->entries.size(); ++i)
        EXPECT_EQ(bar->entries[i].id, static_cast<int>(i) + 2);
    EXPECT_STREQ(bar->entries[MENUBAR_TESTMENU_ERASE - 2].res->constName, "MENUBAR_TESTMENU_ERASE");
}

// Fails if a panel title, size, label or value when loaded differs from the control map.
TEST_F(Panels, ValuesWhenLoaded) {
    const uirt::PanelState* m = uirt::FindPanel(mainPanel);
    const uirt::PanelState* s = uirt::FindPanel(setup);
    const uirt::PanelState* a = uirt::FindPanel(about);
    EXPECT_EQ(m->title, "Kestrel 2.0");
    EXPECT_EQ(m->width, 716);
    EXPECT_EQ(m->height, 627);
    EXPECT_EQ(s->title, "Tests and configuration");
    EXPECT_EQ(s->width, 656);
    EXPECT_EQ(s->height, 544);
    EXPECT_EQ(a->title, "About Kestrel 2.0");
    EXPECT_EQ(a->width, 442);
    EXPECT_EQ(a->height, 191);

    EXPECT_EQ(hl::Label(mainPanel, MAINPANEL_QUITBTN), "__Exit");
    EXPECT_EQ(uirt::FindControl(mainPanel, MAINPANEL_INFOTEXTBOX)->res->font,
              std::string("Courier New"));
    EXPECT_EQ(hl::Label(setup, SETUPPANEL_DISCONNECT), "  __Disconnect  ");
    EXPECT_EQ(hl::Label(setup, SETUPPANEL_COMMANDBUTTON), "__Seachr AAFFFF");
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_LATTIMER), "2");
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_TXBUFSZ), "2048");
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_RXBUFSZ), "8192");
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_WORDCOUNT), "1");
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_BINARYSWITCH), "Corvo");
    EXPECT_EQ(hl::Value(setup, SETUPPANEL_ASYNC_CHK), 1);
    EXPECT_EQ(hl::Value(setup, SETUPPANEL_LOOPCHECKBOX), 0);
    EXPECT_EQ(hl::Text(setup, SETUPPANEL_SERNUMTXT), "");
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
    EXPECT_EQ(hl::Label(about, ABOUTPANEL_ABOUT_CLOSE), "__OK");
    EXPECT_EQ(hl::Text(about, ABOUTPANEL_TEXTMSG_2), "Kestrel 2.0");
}

// Fails if 300 can be entered as the latency or 200 as the sub-address.
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

// Fails if a maintenance button can be seen or pressed.
TEST_F(Panels, MaintenanceButtonsAreHidden) {
    DisplayPanel(setup);
    for (int c : {SETUPPANEL_SPEED_BTN, SETUPPANEL_SIMUL_BTN, SETUPPANEL_COMMANDBUTTON,
                  SETUPPANEL_PURGEFIFOBTN, SETUPPANEL_FIFOSTATBTN}) {
        EXPECT_FALSE(hl::IsVisible(setup, c));
        EXPECT_EQ(hl::Press(setup, c), UIE_NO_INPUT);
    }
    int hidden = 0;
    for (const auto& c : uirt::FindPanel(setup)->controls)
        hidden += !c.visible;
    EXPECT_EQ(hidden, 5);
}

// Fails if a menu item's label, shortcut or dimmed state when loaded differs from the map.
TEST_F(Panels, MenuBarWhenLoaded) {
    const int bar = GetPanelMenuBar(mainPanel);
    ASSERT_GT(bar, 0);
    EXPECT_EQ(GetPanelMenuBar(setup), 0);
    for (int item : {MENUBAR_FILEMENU_OPENF, MENUBAR_FILEMENU_SAVE, MENUBAR_FILEMENU_SAVEAS,
                     MENUBAR_FILEMENU_PRINT, MENUBAR_EDIT_PASTE, MENUBAR_EDIT_CUT,
                     MENUBAR_EDIT_COPY, MENUBAR_EDIT_SELALL, MENUBAR_TESTMENU_SHOWDLG,
                     MENUBAR_TESTMENU_ERASE, MENUBAR_TESTMENU_PROGRAM})
        EXPECT_TRUE(hl::IsMenuItemDimmed(bar, item)) << item;
    for (int item : {MENUBAR_FILEMENU_EXIT, MENUBAR_HELPMENU_HLP_CNTNT, MENUBAR_HELPMENU_CORVOUSB,
                     MENUBAR_HELPMENU_ABOUT})
        EXPECT_FALSE(hl::IsMenuItemDimmed(bar, item)) << item;
    const uirt::MenuBarState* b = uirt::FindMenuBar(bar);
    const auto& help = b->entries[MENUBAR_HELPMENU_HLP_CNTNT - 2];
    EXPECT_EQ(help.label, "__Contents");
    EXPECT_STREQ(help.res->shortcut, "F1");
    EXPECT_EQ(help.menu, MENUBAR_HELPMENU);
    EXPECT_EQ(b->entries[MENUBAR_TESTMENU_PROGRAM - 2].label, "(Re)__Program EEPROM");
    EXPECT_TRUE(b->entries[MENUBAR_EDIT_SEPARATOR_7 - 2].separator);
}

// Fails if a wizard page, heading or quoted text differs from the wizard's wording.
TEST_F(Panels, WizardPages) {
    const char* headings[] = {"CorvoUsb device customization wizard",
                              "Device descrition (name)",
                              "Serial number",
                              "Power consumption and source",
                              "I/O Ports output drive current",
                              "Device customization completed"};
    const int headingIds[] = {PANEL_TEXTMSG,   PANEL_2_TEXTMSG, PANEL_3_TEXTMSG,
                              PANEL_4_TEXTMSG, PANEL_5_TEXTMSG, PANEL_6_TEXTMSG};
    int pages[6];
    for (int i = 0; i < 6; ++i) {
        pages[i] = LoadPanel(0, "ProgWizUIR.uir", i + 1);
        ASSERT_GT(pages[i], 0);
        const uirt::PanelState* p = uirt::FindPanel(pages[i]);
        EXPECT_EQ(p->title, "New board wizard");
        EXPECT_EQ(p->width, 419);
        EXPECT_EQ(p->height, 229);
        EXPECT_EQ(hl::Text(pages[i], headingIds[i]), headings[i]);
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

namespace {
struct Rect {
    int top, left, bottom, right;
};
bool Overlap(const Rect& a, const Rect& b) {
    return a.top < b.bottom && b.top < a.bottom && a.left < b.right && b.left < a.right;
}
// The field and, for labelled fields, the label line above it (or right of a box or LED).
std::vector<std::pair<std::string, Rect>> Footprints(const uirt::PanelState& p) {
    std::vector<std::pair<std::string, Rect>> rects;
    for (const auto& c : p.controls) {
        if (!c.visible || c.kind == uirt::CtrlKind::Decoration ||
            c.kind == uirt::CtrlKind::Splitter || c.kind == uirt::CtrlKind::Timer)
            continue;
        rects.push_back({c.res->constName, {c.top, c.left, c.top + c.height, c.left + c.width}});
        const bool beside = c.kind == uirt::CtrlKind::Led;
        const bool above = c.kind == uirt::CtrlKind::Numeric || c.kind == uirt::CtrlKind::String ||
                           c.kind == uirt::CtrlKind::Ring;
        if (!c.label.empty() && beside)
            rects.push_back({std::string(c.res->constName) + " label",
                             {c.top, c.left + c.width + 4, c.top + c.height,
                              c.left + c.width + 4 + 7 * static_cast<int>(c.label.size())}});
        if (!c.label.empty() && above)
            rects.push_back({std::string(c.res->constName) + " label",
                             {c.top - 18, c.left, c.top - 2, c.left + c.width}});
    }
    return rects;
}
} // namespace

// Fails if a control or its label leaves the panel or overlaps another one on the setup panel.
TEST_F(Panels, SetupPanelLayoutHasNoOverlaps) {
    for (int p : {mainPanel, setup, about}) {
        const uirt::PanelState& panel = *uirt::FindPanel(p);
        for (const auto& c : panel.controls) {
            EXPECT_GE(c.top, 0) << c.res->constName;
            EXPECT_GE(c.left, 0) << c.res->constName;
            EXPECT_LE(c.top + c.height, panel.height) << c.res->constName;
            EXPECT_LE(c.left + c.width, panel.width) << c.res->constName;
        }
        const auto rects = Footprints(panel);
        for (std::size_t i = 0; i < rects.size(); ++i)
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                EXPECT_FALSE(Overlap(rects[i].second, rects[j].second))
                    << rects[i].first << " overlaps " << rects[j].first;
    }
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
