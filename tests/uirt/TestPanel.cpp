// A small test panel with one control of each input kind, a menu bar and an event recorder.
#include "TestPanel.h"

#include "platform/uirt/headless/headless.h"

namespace {

using uirt::ControlRes;
using K = uirt::CtrlKind;

int Record(int, int control, int event, void*, int, int) {
    Events().push_back("c" + std::to_string(control) + ":" + std::to_string(event));
    return 0;
}

void RecordMenu(int, int item, void*, int) {
    Events().push_back("m" + std::to_string(item));
}

const uirt::ItemRes kRingItems[] = {{"one", 1}, {"two", 2}, {"three", 3}};

// Constant names only where a test reads them.
const ControlRes kControls[] = {
    {.id = T_NUM,
     .kind = K::Numeric,
     .label = "Num",
     .callback = "Record",
     .dataType = VAL_UNSIGNED_CHAR,
     .value = 5,
     .maxValue = 126},
    {.id = T_BTN, .kind = K::CommandButton, .label = "__Go", .callback = "Record"},
    {.id = T_RING, .kind = K::Ring, .callback = "Record", .value = 2, .items = kRingItems},
    {.id = T_TEXT, .kind = K::TextBox, .callback = "Record"},
    {.id = T_STR, .kind = K::String, .callback = "Record", .text = "abc", .maxLength = 4},
    {.id = T_TIMER, .kind = K::Timer, .callback = "Record", .interval = 0.1},
    {.id = T_CHECK, .kind = K::CheckBox, .callback = "Record"},
    {.id = T_SWITCH,
     .kind = K::BinarySwitch,
     .callback = "Record",
     .value = 1,
     .onText = "On",
     .offText = "Off"},
};

const uirt::MenuEntryRes kMenu[] = {
    {.id = TM_FILE, .label = "__File", .isMenu = true},
    {.id = TM_DO, .label = "__Do", .callback = "Menu"},
    {.id = TM_DIMMED, .constName = "TM_DIMMED", .label = "Dim", .callback = "Menu", .dimmed = true},
    {.id = TM_SEP, .separator = true},
    {.id = TM_EDIT, .label = "__Edit", .isMenu = true},
    {.id = TM_COPY, .label = "__Copy", .callback = "Menu"},
};
const uirt::MenuBarRes kMenuBar = {.constName = "TM", .entries = kMenu};
const uirt::PanelRes kPanel = {.constName = "TESTPANEL",
                               .title = "Test",
                               .height = 300,
                               .width = 400,
                               .controls = kControls,
                               .menuBar = &kMenuBar,
                               .closeCtrl = T_BTN};

CtrlCallbackPtr FindCtrl(std::string_view name) {
    return name == "Record" ? Record : nullptr;
}
MenuCallbackPtr FindMenu(std::string_view name) {
    return name == "Menu" ? RecordMenu : nullptr;
}

} // namespace

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

int StartTestPanel() {
    uirt::headless::Reset();
    Events().clear();
    uirt::RegisterPanelResource("Test.uir", 1, kPanel);
    uirt::SetCallbackResolver({.control = FindCtrl, .menu = FindMenu});
    InitCVIRTE(nullptr, nullptr, nullptr);
    const int panel = LoadPanel(0, "Test.uir", 1);
    DisplayPanel(panel);
    return panel;
}

void OnTestPanel::TearDown() {
    uirt::headless::Reset();
}
