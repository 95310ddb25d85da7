// Read-only view of the model's state, for front ends and test tools (never Kestrel's code).
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/uirt/model/resource.h"
#include "platform/uirt/model/textbuffer.h"

namespace uirt {

struct ItemState {
    std::string label;
    double value = 0;
    int marked = 0;
    int markType = VAL_MARK_NONE;
    int labelBgColor = 0xFFFFFF;
    int markOnLabelClick = 0;
    int height = 0;
};

// One trace of a strip chart: its newest points, oldest first.
struct TraceState {
    std::string label;
    int color = 0; // 0xRRGGBB
    std::deque<double> points;
};

struct ControlState {
    const ControlRes* res = nullptr; // the resource it was loaded from (kind, names, font)
    int id = 0;
    CtrlKind kind = CtrlKind::Decoration;
    std::string label;
    bool dimmed = false;
    bool visible = true;
    int top = 0, left = 0, width = 0, height = 0;
    // Numeric, check box, switch, LED: the value.
    int dataType = VAL_INTEGER;
    double value = 0, minValue = 0, maxValue = 0, increment = 1;
    int format = VAL_DECIMAL_FORMAT;
    int minDigits = 0;
    int precision = 0;
    // String, text box, text message.
    TextBuffer text;
    int maxLength = 0;
    int selectionStart = 0, selectionLength = 0;
    // Ring and tree.
    std::vector<ItemState> items;
    int selectedIndex = -1; // ring: selected item (-1 when empty)
    int columnWidth = 0;    // tree
    // Binary switch.
    std::string onText, offText;
    double onValue = 1, offValue = 0;
    // Timer.
    double interval = 0;
    bool enabled = false;
    // Strip chart: the y range is minValue..maxValue unless autoScale.
    std::vector<TraceState> traces;
    int pointsPerScreen = 0;
    bool autoScale = false;
    long long pointsPlotted = 0; // per trace since the last clear: the newest point's x is this - 1
    // Tree look, as set through the tree attributes.
    int bgColor = 0xFFFFFF;
    bool frameVisible = true;
    bool selectionVisible = true;
    bool columnLabelsVisible = true;
    std::string typeTag;
    std::map<int, int> otherAttributes; // the remaining tree look attributes, as set
    // Callback.
    CtrlCallbackPtr callback = nullptr;
    void* callbackData = nullptr;
};

struct MenuEntryState {
    const MenuEntryRes* res = nullptr;
    int id = 0;
    int menu = 0; // 0 for a menu, else the id of its menu
    std::string label;
    bool separator = false;
    bool dimmed = false;
    bool checked = false;
    MenuCallbackPtr callback = nullptr;
    void* callbackData = nullptr;
};

struct MenuBarState {
    int handle = 0;
    int panel = 0;
    const MenuBarRes* res = nullptr;
    std::vector<MenuEntryState> entries; // menus, each followed by its items
    MenuDimmerCallbackPtr dimmer = nullptr;
};

struct PanelState {
    int handle = 0;
    int parent = 0;
    const PanelRes* res = nullptr;
    std::string title;
    int top = 0, left = 0, width = 0, height = 0;
    bool visible = false;
    int activeCtrl = 0;
    int menuBar = 0;                    // handle, 0 for none
    std::vector<ControlState> controls; // in table order
};

// Loaded panels in load order (handles), and lookups; null for an unknown handle.
std::vector<int> PanelHandles();
const PanelState* FindPanel(int panel);
const ControlState* FindControl(int panel, int control);
const MenuBarState* FindMenuBar(int menuBar);

// What the user sees in the control: numerics formatted (hex upper case, padded to minDigits),
// strings and text boxes their text, rings the selected label, switches the on/off text,
// check boxes and LEDs "1"/"0", text messages their text, other kinds their label.
std::string DisplayText(const ControlState& control);

// The y range a strip chart shows: its set range, or when it scales automatically, the range
// of the points it holds (widened around a flat line; the set range while it holds none).
struct YRange {
    double min = 0, max = 0;
};
YRange ChartYRange(const ControlState& chart);

// A text box keeps at most this many lines: once its text holds more line breaks, the
// oldest lines are dropped, in the model and in the window alike.
inline constexpr int kTextBoxLineCap = 200000;
int TextBoxLineCap();
// Tests: a small cap, so that dropping needs few lines. ResetModel restores kTextBoxLineCap.
void SetTextBoxLineCap(int lines);

// Discards every panel and menu bar, clears callbacks, the resolver's report, print
// attributes, the active panel and the line cap, and drops the front end. Registered resources
// stay.
void ResetModel();

} // namespace uirt
