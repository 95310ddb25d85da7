// Model rules: loading, program writes, user input and its events, dimming, timers, lists.
#include <gtest/gtest.h>

#include "TestPanel.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/state.h"

namespace hl = uirt::headless;
using Strings = std::vector<std::string>;

using Model = OnTestPanel;

// Fails if unknown files, indexes or parents load something, a discarded handle still works, or
// a call with a bad panel handle or control constant crashes or reports success; or when a
// narrower range or maximum length leaves the value or text outside it, a value out of an
// attribute's domain is stored, or an attribute is taken by a kind that does not have it.
TEST_F(Model, BadHandlesAndAttributesReturnNegativeCodes) {
    EXPECT_EQ(std::vector({LoadPanel(0, "Nope.uir", 1), LoadPanel(0, "Test.uir", 2),
                           LoadPanel(0, nullptr, 1), LoadPanel(999, "Test.uir", 1)}),
              std::vector({UIE_RESOURCE_NOT_FOUND, UIE_RESOURCE_NOT_FOUND, UIE_NULL_POINTER,
                           UIE_BAD_PANEL}));
    const int child = LoadPanel(panel, "Test.uir", 1);
    ASSERT_GT(child, panel);
    // Children go with their parent.
    EXPECT_EQ(std::vector({DiscardPanel(panel), DisplayPanel(child), DiscardPanel(panel)}),
              std::vector({0, UIE_BAD_PANEL, UIE_BAD_PANEL}));
    panel = StartTestPanel();

    // Every call finds its panel and control through the same lookup: a few stand for all.
    EXPECT_LT(InsertListItem(12345, T_RING, -1, "x", 1), 0);
    EXPECT_EQ(ClearListCtrl(panel, 99), UIE_BAD_CONTROL);
    EXPECT_EQ(GetCtrlVal(panel, T_NUM, static_cast<int*>(nullptr)), UIE_NULL_POINTER);
    EXPECT_EQ(SetCtrlVal(panel, T_NUM, "5"), UIE_BAD_VALUE);
    EXPECT_EQ(hl::ChooseMenuItem(GetPanelMenuBar(panel), TM_SEP), UIE_BAD_MENU);
    EXPECT_EQ(Events(), Strings{});

    SetCtrlVal(panel, T_NUM, 200);
    SetCtrlAttribute(panel, T_NUM, ATTR_MAX_VALUE, 50.0);
    SetCtrlAttribute(panel, T_STR, ATTR_MAX_ENTRY_LENGTH, 2);
    EXPECT_EQ(hl::Text(panel, T_NUM) + hl::Text(panel, T_STR), "50ab");
    int interval = 0;
    EXPECT_EQ(std::vector({SetCtrlAttribute(panel, T_NUM, ATTR_FORMAT, 7),
                           SetCtrlAttribute(panel, T_NUM, ATTR_DIMMED, 0.5),
                           SetCtrlAttribute(panel, T_STR, ATTR_MIN_VALUE, 1),
                           SetCtrlAttribute(panel, T_BTN, ATTR_INTERVAL, 1.0),
                           GetCtrlAttribute(panel, T_TIMER, ATTR_INTERVAL, &interval)}),
              std::vector({UIE_BAD_VALUE, UIE_BAD_VALUE, UIE_BAD_ATTRIBUTE, UIE_BAD_ATTRIBUTE,
                           UIE_BAD_ATTRIBUTE}));
    EXPECT_EQ(uirt::FindControl(panel, T_NUM)->format, VAL_DECIMAL_FORMAT);
}

// Fails if user entries are not clamped or rounded, the events come in the wrong order, a string
// is not cut, the focus stays, a switch shows the wrong text or a check box reads other than 0/1.
TEST_F(Model, UserEntryIsClampedThenValueChangedThenCommit) {
    for (auto [entered, stored] : {std::pair{200.0, 126}, {-4.0, 0}, {9.6, 10}}) {
        EXPECT_EQ(hl::EnterValue(panel, T_NUM, entered), 0);
        EXPECT_EQ(hl::Value(panel, T_NUM), stored) << entered;
    }
    EXPECT_EQ(Events(), (Strings{"c2:2", "c2:1", "c2:2", "c2:1", "c2:2", "c2:1"}));
    Events().clear();

    EXPECT_EQ(hl::Text(panel, T_SWITCH), "On");
    hl::Press(panel, T_BTN);
    hl::ChooseRingItem(panel, T_RING, 2);
    hl::Toggle(panel, T_CHECK, 1);
    hl::EnterText(panel, T_STR, "abcdef");
    hl::Toggle(panel, T_SWITCH, 0);
    EXPECT_EQ(Events(),
              (Strings{"c3:1", "c4:2", "c4:1", "c8:2", "c8:1", "c6:2", "c6:1", "c12:2", "c12:1"}));
    // The string is cut to its maximum length; the user's control takes the focus.
    EXPECT_EQ(std::tuple(hl::Value(panel, T_RING), hl::Text(panel, T_STR), hl::ActiveCtrl(panel),
                         hl::Value(panel, T_SWITCH), hl::Text(panel, T_SWITCH)),
              std::tuple(3, "abcd", int{T_SWITCH}, 0, "Off"));
    SetCtrlVal(panel, T_CHECK, 5);
    EXPECT_EQ(hl::Value(panel, T_CHECK), 1);
}

// Fails if dimmed or hidden controls, or controls of a hidden panel, take user input.
TEST_F(Model, DimmedAndHiddenControlsTakeNoInput) {
    SetCtrlAttribute(panel, T_BTN, ATTR_DIMMED, 1);
    SetCtrlAttribute(panel, T_NUM, ATTR_VISIBLE, 0);
    EXPECT_EQ(std::pair(hl::Press(panel, T_BTN), hl::EnterValue(panel, T_NUM, 3)),
              std::pair(UIE_NO_INPUT, UIE_NO_INPUT));
    EXPECT_EQ(hl::Text(panel, T_NUM), "5");
    SetCtrlAttribute(panel, T_BTN, ATTR_DIMMED, 0);
    HidePanel(panel);
    EXPECT_EQ(std::pair(hl::Press(panel, T_BTN), hl::ChooseMenuItem(GetPanelMenuBar(panel), TM_DO)),
              std::pair(UIE_NO_INPUT, UIE_NO_INPUT));
    DisplayPanel(panel);
    EXPECT_EQ(std::pair(hl::Press(panel, T_BTN), hl::EnterValue(panel, T_RING, 1)),
              std::pair(0, UIE_NO_INPUT)); // the ring is not a numeric
    EXPECT_EQ(Events(), Strings{"c3:1"});
}

namespace {
int DiscardingCallback(int panel, int, int event, void*, int, int) {
    Events().push_back("e" + std::to_string(event));
    DiscardPanel(panel);
    return 0;
}

int TickProbe(int panel, int control, int, void*, int, int) {
    Events().push_back("tick");
    // A tick arriving while this callback runs must be refused.
    EXPECT_EQ(uirt::input::timerTick(panel, control), UIE_BUSY);
    return 0;
}
} // namespace

// Fails if timer ticks arrive while the timer is disabled or while a callback runs, the window
// manager's close does not press the panel's close control, or a callback that discards its own
// panel makes the model crash or raise more events.
TEST_F(Model, TimerTicksCloseControlAndACallbackDiscardingItsPanel) {
    EXPECT_EQ(hl::TimerTick(panel, T_TIMER), UIE_NO_INPUT);
    SetCtrlAttribute(panel, T_TIMER, ATTR_ENABLED, 1);
    EXPECT_EQ(hl::TimerTick(panel, T_TIMER), 0);
    InstallCtrlCallback(panel, T_TIMER, TickProbe, nullptr);
    EXPECT_EQ(hl::TimerTick(panel, T_TIMER), 0);
    EXPECT_EQ(Events(), (Strings{"c7:15", "tick"}));
    SetCtrlAttribute(panel, T_TIMER, ATTR_ENABLED, 0);
    EXPECT_EQ(hl::TimerTick(panel, T_TIMER), UIE_NO_INPUT);
    EXPECT_EQ(SetCtrlAttribute(panel, T_TIMER, ATTR_INTERVAL, 0.0), UIE_BAD_VALUE);

    // The window manager's close presses the close control; a callback discards its own panel.
    Events().clear();
    EXPECT_EQ(hl::ClosePanel(panel), 0);
    InstallCtrlCallback(panel, T_NUM, DiscardingCallback, nullptr);
    EXPECT_EQ(hl::EnterValue(panel, T_NUM, 3), 0);
    EXPECT_EQ(Events(), (Strings{"c3:1", "e2"})); // no commit on a discarded control
    EXPECT_EQ(uirt::FindPanel(panel), nullptr);
}

// Fails if the dimmer does not run before a menu item or a pop-up menu, a dimmed item runs its
// callback, or a pop-up menu ignores the choice or its position.
TEST_F(Model, MenuDimmerRunsBeforeItemsAndPopups) {
    const int bar = GetPanelMenuBar(panel);
    InstallMenuDimmerCallback(bar, [](int, int) { Events().push_back("dimmer"); });
    EXPECT_EQ(hl::ChooseMenuItem(bar, TM_DO), 0);
    EXPECT_EQ(hl::ChooseMenuItem(bar, TM_DIMMED), UIE_NO_INPUT);
    EXPECT_EQ(Events(), (Strings{"dimmer", "m3", "dimmer"}));
    SetMenuBarAttribute(bar, TM_DIMMED, ATTR_DIMMED, 0);
    EXPECT_EQ(hl::ChooseMenuItem("TM_DIMMED"), 0);
    EXPECT_EQ(Events().back(), "m4");
    Events().clear();

    hl::ChooseNextPopupItem(TM_COPY);
    EXPECT_EQ(RunPopupMenu(bar, TM_EDIT, panel, 40, 30, 0, 0, 0, 0), TM_COPY);
    EXPECT_EQ(Events(), (Strings{"dimmer", "m7"}));
    EXPECT_EQ(RunPopupMenu(bar, TM_EDIT, panel, 0, 0, 0, 0, 0, 0), 0); // dismissed
    SetMenuBarAttribute(bar, TM_COPY, ATTR_DIMMED, 1);
    hl::ChooseNextPopupItem(TM_COPY);
    EXPECT_EQ(RunPopupMenu(bar, TM_EDIT, panel, 0, 0, 0, 0, 0, 0), 0); // a dimmed item
    // A dimmer that dims the item the user is about to choose wins.
    InstallMenuDimmerCallback(bar,
                              [](int b, int) { SetMenuBarAttribute(b, TM_DO, ATTR_DIMMED, 1); });
    EXPECT_EQ(hl::ChooseMenuItem(bar, TM_DO), UIE_NO_INPUT);
}
