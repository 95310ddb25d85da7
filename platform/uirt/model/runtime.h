// The model's internal state (one per process) and helpers shared by its source files.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/state.h"

namespace uirt::detail {

struct ResourceKey {
    std::string file;
    int index = 0;
    auto operator<=>(const ResourceKey&) const = default;
};

struct Runtime {
    std::map<ResourceKey, const PanelRes*> resources;
    CallbackResolver resolver;
    std::vector<UnboundCallback> unbound;

    std::map<int, std::unique_ptr<PanelState>> panels;
    std::vector<int> loadOrder;
    std::map<int, std::unique_ptr<MenuBarState>> menuBars;
    int nextHandle = 1;
    int activePanel = 0;

    std::unique_ptr<FrontEnd> frontEnd;
    int callbackDepth = 0;
    PrintSettings print;
    int lineCap = kTextBoxLineCap;
    bool waitCursor = false;
    std::map<int, std::function<void()>> watches; // descriptor watches by id (watch.h)
    int nextWatch = 1;
};

Runtime& rt();

// Lookups returning null when absent.
PanelState* panel(int handle);
ControlState* control(int panelHandle, int controlId);
MenuBarState* menuBar(int handle);
MenuEntryState* menuEntry(MenuBarState& bar, int id);

// Resolves (panel, control): sets *err to UIE_BAD_PANEL or UIE_BAD_CONTROL when absent.
ControlState* control(int panelHandle, int controlId, int* err);

// Notifications to the front end (no-ops without one).
void notifyControl(int panelHandle, int controlId, Change what);
void notifyPanel(int panelHandle);
void notifyMenu(int menuBarHandle, int id);

// Calls the control's callback with the event, counting callback depth. Does nothing when there
// is no callback; tolerates the panel being discarded by the callback.
void raise(int panelHandle, int controlId, int event, int data1 = 0, int data2 = 0);
void runMenuCallback(int menuBarHandle, int item);
void runDimmer(int menuBarHandle);

// Stores a value into a numeric control: coerced to the data type and clamped to the range.
void storeNumber(ControlState& c, double v);
// The control's maximum text length (npos for none), and a text cut to it.
std::size_t textLimit(const ControlState& c);
std::string limitText(const ControlState& c, std::string_view text);

// Drops a text box's oldest lines beyond the line cap; the selection moves with the text
// (a selection inside the dropped part shrinks to its remainder, at offset 0).
void capLines(ControlState& c);

// Keeps a text selection inside the text.
void clampSelection(ControlState& c);
// Whether a control of this kind holds a text (string, text box, text message).
bool holdsText(CtrlKind kind);
// 32-bit reads keep the bit pattern, so a uint of 0xFFFFFFFF reads as -1 through an int.
unsigned toUnsigned(double v);
int toInt(double v);

// Copies text into a caller's buffer of `size` bytes, always terminated. Returns 0,
// UIE_NULL_POINTER, or UIE_BUFFER_TOO_SMALL when the text was cut.
int copyText(std::string_view text, char* out, std::size_t size);

// Strip charts: the chart a resource describes, and the rules of its attributes' writes
// (0 or UIE_BAD_VALUE). A new trace count clears the points; fewer points per screen drop the
// oldest. notifyPoints tells the front end that the points changed.
void initChart(ControlState& c, const ControlRes& r);
int writeTraceCount(ControlState& c, int attribute, double count);
int writePointsPerScreen(ControlState& c, int attribute, double points);
int writeYAxisBound(ControlState& c, int attribute, double bound);
int writeYAxisScaling(ControlState& c, int attribute, double scaling);
void notifyPoints(int panelHandle, ControlState& c);

// Whether a control of this kind can hold the keyboard focus.
bool canFocus(CtrlKind kind);

Metrics& metrics();

} // namespace uirt::detail
