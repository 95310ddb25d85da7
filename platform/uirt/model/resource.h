// Panel resources: the static tables that describe panels, controls and menu bars, and their
// registration so that LoadPanel finds them by file name and index.
#pragma once

#include <span>
#include <string_view>

#include "platform/uirt/model/uirt.h"

namespace uirt {

enum class CtrlKind {
    Numeric,
    String,
    TextBox,
    TextMessage,
    CommandButton,
    CheckBox,
    BinarySwitch,
    Led,
    Ring,
    Tree,
    Timer,
    Picture,
    Decoration,
    Splitter,
    StripChart,
};

// One ring or tree item: label and value (trees: value unused; `marked` is the mark state).
struct ItemRes {
    const char* label = "";
    double value = 0;
    bool marked = false;
};

// One control. Strings are static (the tables live for the whole run). Fields that do not
// apply to a kind are ignored. A callback is named, and bound when the panel loads.
struct ControlRes {
    int id = 0;                 // control constant: from 2, in table order
    const char* constName = ""; // "SETUPPANEL_LATTIMER"
    CtrlKind kind = CtrlKind::Decoration;
    const char* label = "";    // double underscore marks the accelerator
    const char* callback = ""; // callback function name, "" for none
    // Geometry in panel pixels.
    int top = 0, left = 0, width = 0, height = 0;
    const char* font = ""; // "" for the default font
    // Numeric and ring data.
    int dataType = VAL_INTEGER; // VAL_UNSIGNED_CHAR, VAL_INTEGER, VAL_UNSIGNED_INTEGER, ...
    double value = 0, maxValue = 0, minValue = 0, increment = 1;
    int format = VAL_DECIMAL_FORMAT;
    int minDigits = 0;
    // String, text box and text message.
    const char* text = "";
    int maxLength = 0; // 0 = no limit
    // Rings and trees.
    std::span<const ItemRes> items = {};
    // Binary switch.
    const char *onText = "", *offText = "";
    double onValue = 1, offValue = 0;
    // Timer.
    double interval = 0;
    bool enabled = false;
    // Strip chart: its y range is minValue..maxValue unless it scales automatically.
    int traces = 1;
    int pointsPerScreen = 100;
    bool autoScale = false;
    // State when loaded.
    bool dimmed = false;
    bool visible = true;
};

// One entry of a menu bar: a menu (parentMenu 0) or an item of the preceding menu.
struct MenuEntryRes {
    int id = 0;
    const char* constName = ""; // "MENUBAR_TESTMENU_SHOWDLG"
    const char* label = "";     // "" for a separator
    const char* callback = "";
    bool isMenu = false;
    bool separator = false;
    bool dimmed = false;
    const char* shortcut = ""; // key name such as "F1"
};

struct MenuBarRes {
    const char* constName = ""; // "MENUBAR"
    std::span<const MenuEntryRes> entries = {};
};

struct PanelRes {
    const char* constName = ""; // "SETUPPANEL"
    const char* title = "";
    int height = 0, width = 0;
    std::span<const ControlRes> controls = {};
    const MenuBarRes* menuBar = nullptr;
    int closeCtrl = 0; // button pressed when the window is closed, 0 = none
};

// Makes `panel` panel number `index` of `fileName`; the table must outlive the model.
// Registering the same file and index again replaces the entry.
void RegisterPanelResource(std::string_view fileName, int index, const PanelRes& panel);

// Binds callback names to functions when a panel loads. Each returns null for an unknown name.
struct CallbackResolver {
    CtrlCallbackPtr (*control)(std::string_view name) = nullptr;
    MenuCallbackPtr (*menu)(std::string_view name) = nullptr;
};
void SetCallbackResolver(const CallbackResolver& resolver);

// A named callback that had no function when its panel loaded.
struct UnboundCallback {
    std::string_view panel;    // panel constant name
    std::string_view owner;    // control or menu item constant name
    std::string_view callback; // the callback name
};
// The unbound callbacks of every panel loaded since the last reset, in load order. Debug
// builds also print each one on stderr as it is found.
std::span<const UnboundCallback> UnboundCallbacks();

} // namespace uirt
