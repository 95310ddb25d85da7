// Model: user input from a front end, with the rules that turn it into events.
#include <algorithm>

#include "platform/uirt/model/runtime.h"

namespace uirt::input {

using namespace uirt::detail;

namespace {

// A control the user can reach: on a shown panel, visible, not dimmed, of one of `kinds`.
template <typename... Kinds>
ControlState* reachable(int panelHandle, int controlId, int* err, Kinds... kinds) {
    ControlState* c = control(panelHandle, controlId, err);
    if (!c) return nullptr;
    const bool kindOk = ((c->kind == kinds) || ...);
    if (!kindOk || !panel(panelHandle)->visible || !c->visible || c->dimmed) {
        *err = UIE_NO_INPUT;
        return nullptr;
    }
    return c;
}

// The user acting on a control activates its window and gives it the focus.
void takeFocus(int panelHandle, ControlState& c) {
    rt().activePanel = panelHandle;
    if (canFocus(c.kind)) panel(panelHandle)->activeCtrl = c.id;
}

// Value changed, then commit, unless the first callback discarded the control.
void raiseChangedAndCommit(int panelHandle, int controlId) {
    raise(panelHandle, controlId, EVENT_VAL_CHANGED);
    if (control(panelHandle, controlId)) raise(panelHandle, controlId, EVENT_COMMIT);
}

} // namespace

int enterNumber(int panelHandle, int controlId, double value) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::Numeric);
    if (!c) return err;
    storeNumber(*c, value);
    takeFocus(panelHandle, *c);
    notifyControl(panelHandle, controlId, Change::Value);
    raiseChangedAndCommit(panelHandle, controlId);
    return 0;
}

int enterText(int panelHandle, int controlId, std::string_view text) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::String, CtrlKind::TextBox);
    if (!c) return err;
    c->text = limitText(*c, text);
    c->selectionStart = static_cast<int>(c->text.size());
    c->selectionLength = 0;
    capLines(*c);
    takeFocus(panelHandle, *c);
    notifyControl(panelHandle, controlId, Change::Value);
    if (c->kind == CtrlKind::TextBox)
        raise(panelHandle, controlId, EVENT_VAL_CHANGED);
    else
        raiseChangedAndCommit(panelHandle, controlId);
    return 0;
}

int editText(int panelHandle, int controlId, int start, int removed, std::string_view inserted) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::TextBox);
    if (!c) return err;
    const auto at = std::min(static_cast<std::size_t>(std::max(0, start)), c->text.size());
    c->text.replace(at, static_cast<std::size_t>(std::max(0, removed)), inserted);
    c->selectionStart = static_cast<int>(at + inserted.size());
    c->selectionLength = 0;
    capLines(*c);
    takeFocus(panelHandle, *c);
    notifyControl(panelHandle, controlId, Change::Value);
    raise(panelHandle, controlId, EVENT_VAL_CHANGED);
    return 0;
}

int press(int panelHandle, int controlId) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::CommandButton);
    if (!c) return err;
    takeFocus(panelHandle, *c);
    raise(panelHandle, controlId, EVENT_COMMIT);
    return 0;
}

int toggle(int panelHandle, int controlId, int on) {
    int err = 0;
    ControlState* c =
        reachable(panelHandle, controlId, &err, CtrlKind::CheckBox, CtrlKind::BinarySwitch);
    if (!c) return err;
    if (c->kind == CtrlKind::BinarySwitch)
        c->value = on ? c->onValue : c->offValue;
    else
        c->value = on ? 1 : 0;
    takeFocus(panelHandle, *c);
    notifyControl(panelHandle, controlId, Change::Value);
    raiseChangedAndCommit(panelHandle, controlId);
    return 0;
}

int chooseRingItem(int panelHandle, int controlId, int index) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::Ring);
    if (!c) return err;
    if (index < 0 || static_cast<std::size_t>(index) >= c->items.size()) return UIE_BAD_INDEX;
    c->selectedIndex = index;
    takeFocus(panelHandle, *c);
    notifyControl(panelHandle, controlId, Change::Value);
    raiseChangedAndCommit(panelHandle, controlId);
    return 0;
}

int markOption(int panelHandle, int controlId, int index) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::Tree);
    if (!c) return err;
    if (index < 0 || static_cast<std::size_t>(index) >= c->items.size()) return UIE_BAD_INDEX;
    ItemState& item = c->items[static_cast<std::size_t>(index)];
    if (item.markType == VAL_MARK_NONE) return UIE_NO_INPUT;
    // A radio option is marked (the others cleared); a check mark toggles.
    const int state = item.markType == VAL_MARK_RADIO ? 1 : !item.marked;
    takeFocus(panelHandle, *c);
    SetTreeItemAttribute(panelHandle, controlId, index, ATTR_MARK_STATE, state);
    raise(panelHandle, controlId, EVENT_COMMIT);
    return 0;
}

int rightClick(int panelHandle, int controlId, int top, int left) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!panel(panelHandle)->visible || !c->visible || c->dimmed) return UIE_NO_INPUT;
    takeFocus(panelHandle, *c);
    raise(panelHandle, controlId, EVENT_RIGHT_CLICK, top, left);
    return 0;
}

int timerTick(int panelHandle, int controlId) {
    int err = 0;
    const ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (c->kind != CtrlKind::Timer || !c->enabled) return UIE_NO_INPUT;
    if (rt().callbackDepth > 0) return UIE_BUSY;
    raise(panelHandle, controlId, EVENT_TIMER_TICK);
    return 0;
}

namespace {

// A menu bar whose panel is shown, and its entry `id`.
MenuEntryState* reachableEntry(int menuBarHandle, int id, int* err) {
    MenuBarState* bar = menuBar(menuBarHandle);
    MenuEntryState* e = bar ? menuEntry(*bar, id) : nullptr;
    if (!e) {
        *err = UIE_BAD_MENU;
        return nullptr;
    }
    const PanelState* p = panel(bar->panel);
    if (!p || !p->visible) {
        *err = UIE_NO_INPUT;
        return nullptr;
    }
    rt().activePanel = bar->panel;
    return e;
}

} // namespace

int openMenu(int menuBarHandle, int menu) {
    int err = 0;
    const MenuEntryState* e = reachableEntry(menuBarHandle, menu, &err);
    if (!e) return err;
    if (e->menu != 0) return UIE_BAD_MENU;
    runDimmer(menuBarHandle);
    return 0;
}

int chooseMenuItem(int menuBarHandle, int item) {
    int err = 0;
    const MenuEntryState* e = reachableEntry(menuBarHandle, item, &err);
    if (!e) return err;
    if (e->menu == 0 || e->separator) return UIE_BAD_MENU;
    const MenuEntryState* m = menuEntry(*menuBar(menuBarHandle), e->menu);
    if (e->dimmed || (m && m->dimmed)) return UIE_NO_INPUT;
    runMenuCallback(menuBarHandle, item);
    return 0;
}

int focus(int panelHandle, int controlId) {
    int err = 0;
    ControlState* c = control(panelHandle, controlId, &err);
    if (!c) return err;
    if (!canFocus(c->kind) || !c->visible || c->dimmed) return UIE_NO_INPUT;
    takeFocus(panelHandle, *c);
    return 0;
}

int activatePanel(int panelHandle) {
    const PanelState* p = panel(panelHandle);
    if (!p) return UIE_BAD_PANEL;
    if (!p->visible) return UIE_NO_INPUT;
    rt().activePanel = panelHandle;
    return 0;
}

int selectText(int panelHandle, int controlId, int start, int length) {
    int err = 0;
    ControlState* c = reachable(panelHandle, controlId, &err, CtrlKind::String, CtrlKind::TextBox);
    if (!c) return err;
    SetCtrlAttribute(panelHandle, controlId, ATTR_TEXT_SELECTION_START, start);
    SetCtrlAttribute(panelHandle, controlId, ATTR_TEXT_SELECTION_LENGTH, length);
    return 0;
}

int closePanel(int panelHandle) {
    const PanelState* p = panel(panelHandle);
    if (!p) return UIE_BAD_PANEL;
    if (!p->res->closeCtrl) return 0;
    return press(panelHandle, p->res->closeCtrl);
}

} // namespace uirt::input
