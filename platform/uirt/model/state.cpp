// Model: the one run-time state, its lookups, the read-only access for front ends and tests,
// and reset.
#include <algorithm>

#include "platform/uirt/model/runtime.h"

namespace uirt {
namespace detail {

Runtime& rt() {
    static Runtime runtime;
    return runtime;
}

PanelState* panel(int handle) {
    auto it = rt().panels.find(handle);
    return it == rt().panels.end() ? nullptr : it->second.get();
}

ControlState* control(int panelHandle, int controlId) {
    PanelState* p = panel(panelHandle);
    if (!p) return nullptr;
    for (ControlState& c : p->controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

ControlState* control(int panelHandle, int controlId, int* err) {
    if (!panel(panelHandle)) {
        *err = UIE_BAD_PANEL;
        return nullptr;
    }
    ControlState* c = control(panelHandle, controlId);
    *err = c ? 0 : UIE_BAD_CONTROL;
    return c;
}

MenuBarState* menuBar(int handle) {
    auto it = rt().menuBars.find(handle);
    return it == rt().menuBars.end() ? nullptr : it->second.get();
}

MenuEntryState* menuEntry(MenuBarState& bar, int id) {
    for (MenuEntryState& e : bar.entries)
        if (e.id == id) return &e;
    return nullptr;
}

} // namespace detail

using namespace detail;

std::vector<int> PanelHandles() {
    return rt().loadOrder;
}
const PanelState* FindPanel(int handle) {
    return panel(handle);
}
const ControlState* FindControl(int panelHandle, int controlId) {
    return control(panelHandle, controlId);
}
const MenuBarState* FindMenuBar(int handle) {
    return menuBar(handle);
}

void ResetModel() {
    Runtime& r = rt();
    r.frontEnd.reset();
    r.panels.clear();
    r.loadOrder.clear();
    r.menuBars.clear();
    r.unbound.clear();
    r.nextHandle = 1;
    r.activePanel = 0;
    r.callbackDepth = 0;
    r.print = PrintSettings{};
    r.waitCursor = false;
    r.lineCap = kTextBoxLineCap;
    r.watches.clear();
}

int TextBoxLineCap() {
    return rt().lineCap;
}

void SetTextBoxLineCap(int lines) {
    rt().lineCap = std::max(1, lines);
}

} // namespace uirt
