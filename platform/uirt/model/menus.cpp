// Model: menu bars, menu callbacks, the dimmer and pop-up menus.
#include "platform/uirt/model/runtime.h"

using namespace uirt;
using namespace uirt::detail;

namespace {

MenuEntryState* entry(int menuBarHandle, int id, int* err) {
    MenuBarState* bar = menuBar(menuBarHandle);
    MenuEntryState* e = bar ? menuEntry(*bar, id) : nullptr;
    *err = e ? 0 : UIE_BAD_MENU;
    return e;
}

} // namespace

int GetPanelMenuBar(int panelHandle) {
    const PanelState* p = panel(panelHandle);
    return p ? p->menuBar : UIE_BAD_PANEL;
}

int InstallMenuCallback(int menuBarHandle, int item, MenuCallbackPtr callback, void* data) {
    int err = 0;
    MenuEntryState* e = entry(menuBarHandle, item, &err);
    if (!e) return err;
    e->callback = callback;
    e->callbackData = data;
    return 0;
}

int InstallMenuDimmerCallback(int menuBarHandle, MenuDimmerCallbackPtr callback) {
    MenuBarState* bar = menuBar(menuBarHandle);
    if (!bar) return UIE_BAD_MENU;
    bar->dimmer = callback;
    return 0;
}

int SetMenuBarAttribute(int menuBarHandle, int id, int attribute, int value) {
    int err = 0;
    MenuEntryState* e = entry(menuBarHandle, id, &err);
    if (!e) return err;
    switch (attribute) {
    case ATTR_DIMMED:
        e->dimmed = value != 0;
        break;
    case ATTR_CHECKED:
        e->checked = value != 0;
        break;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
    notifyMenu(menuBarHandle, id);
    return 0;
}

int SetMenuBarAttribute(int menuBarHandle, int id, int attribute, const char* value) {
    int err = 0;
    MenuEntryState* e = entry(menuBarHandle, id, &err);
    if (!e) return err;
    if (!value) return UIE_NULL_POINTER;
    if (attribute != ATTR_ITEM_NAME) return UIE_BAD_ATTRIBUTE;
    e->label = value;
    notifyMenu(menuBarHandle, id);
    return 0;
}

int RunPopupMenu(int menuBarHandle, int menu, int panelHandle, int top, int left, int, int, int,
                 int) {
    int err = 0;
    const MenuEntryState* m = entry(menuBarHandle, menu, &err);
    if (!m) return err;
    if (m->menu != 0) return UIE_BAD_MENU;
    if (!panel(panelHandle)) return UIE_BAD_PANEL;
    if (!rt().frontEnd) return UIE_NOT_INITIALIZED;
    runDimmer(menuBarHandle);
    FrontEnd* fe = rt().frontEnd.get();
    if (!fe || !menuBar(menuBarHandle)) return 0; // a dimmer may have reset or discarded it
    const int item = fe->popups().popupMenu(menuBarHandle, menu, panelHandle, top, left);
    MenuBarState* bar = menuBar(menuBarHandle);
    const MenuEntryState* chosen = bar ? menuEntry(*bar, item) : nullptr;
    if (!chosen || chosen->menu != menu || chosen->separator || chosen->dimmed) return 0;
    runMenuCallback(menuBarHandle, item);
    return item;
}
