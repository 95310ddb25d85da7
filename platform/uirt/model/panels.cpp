// Model: panel resources and callback binding, loading, showing, hiding and discarding panels,
// the active panel.
#include <algorithm>
#include <cstdio>

#include "platform/uirt/model/runtime.h"

namespace uirt {

using namespace detail;

namespace {

void reportUnbound(const PanelRes& res, const char* owner, const char* callback) {
    rt().unbound.push_back({res.constName, owner, callback});
#ifndef NDEBUG
    std::fprintf(stderr, "uirt: panel %s: %s: callback %s has no function; left unbound\n",
                 res.constName, owner, callback);
#endif
}

ControlState makeControl(const PanelRes& panelRes, const ControlRes& r) {
    ControlState c;
    c.res = &r;
    c.id = r.id;
    c.kind = r.kind;
    c.label = r.label;
    c.dimmed = r.dimmed;
    c.visible = r.visible;
    c.top = r.top;
    c.left = r.left;
    c.width = r.width;
    c.height = r.height;
    c.dataType = r.dataType;
    c.minValue = r.minValue;
    c.maxValue = r.maxValue;
    c.increment = r.increment;
    c.format = r.format;
    c.minDigits = r.minDigits;
    c.maxLength = r.maxLength;
    c.onText = r.onText;
    c.offText = r.offText;
    c.onValue = r.onValue;
    c.offValue = r.offValue;
    c.interval = r.interval;
    c.enabled = r.enabled;
    if (r.kind == CtrlKind::Numeric)
        storeNumber(c, r.value);
    else
        c.value = r.value;
    c.text = limitText(c, r.text);
    if (r.kind == CtrlKind::StripChart) initChart(c, r);
    const int itemHeight = metrics().lineHeight(r.font);
    for (const ItemRes& item : r.items)
        c.items.push_back({.label = item.label,
                           .value = item.value,
                           .marked = item.marked ? 1 : 0,
                           .height = itemHeight});
    if (r.kind == CtrlKind::Ring && !c.items.empty()) {
        c.selectedIndex = 0;
        for (std::size_t i = 0; i < c.items.size(); ++i)
            if (c.items[i].value == r.value) c.selectedIndex = static_cast<int>(i);
    }
    if (r.callback && *r.callback) {
        c.callback = rt().resolver.control ? rt().resolver.control(r.callback) : nullptr;
        if (!c.callback) reportUnbound(panelRes, r.constName, r.callback);
    }
    return c;
}

int makeMenuBar(const PanelRes& panelRes, int panelHandle) {
    auto bar = std::make_unique<MenuBarState>();
    bar->handle = rt().nextHandle++;
    bar->panel = panelHandle;
    bar->res = panelRes.menuBar;
    int currentMenu = 0;
    for (const MenuEntryRes& r : panelRes.menuBar->entries) {
        MenuEntryState e;
        e.res = &r;
        e.id = r.id;
        if (r.isMenu)
            currentMenu = r.id;
        else
            e.menu = currentMenu;
        e.label = r.label;
        e.separator = r.separator;
        e.dimmed = r.dimmed;
        if (r.callback && *r.callback) {
            e.callback = rt().resolver.menu ? rt().resolver.menu(r.callback) : nullptr;
            if (!e.callback) reportUnbound(panelRes, r.constName, r.callback);
        }
        bar->entries.push_back(std::move(e));
    }
    const int handle = bar->handle;
    rt().menuBars[handle] = std::move(bar);
    return handle;
}

void pickActivePanel() {
    rt().activePanel = 0;
    for (int h : rt().loadOrder)
        if (panel(h)->visible) rt().activePanel = h;
}

} // namespace

void RegisterPanelResource(std::string_view fileName, int index, const PanelRes& res) {
    rt().resources[{std::string(fileName), index}] = &res;
}

void SetCallbackResolver(const CallbackResolver& resolver) {
    rt().resolver = resolver;
}

std::span<const UnboundCallback> UnboundCallbacks() {
    return rt().unbound;
}

} // namespace uirt

using namespace uirt;
using namespace uirt::detail;

int LoadPanel(int parent, const char* fileName, int index) {
    if (!fileName) return UIE_NULL_POINTER;
    if (parent != 0 && !panel(parent)) return UIE_BAD_PANEL;
    auto it = rt().resources.find({fileName, index});
    if (it == rt().resources.end()) return UIE_RESOURCE_NOT_FOUND;
    const PanelRes& res = *it->second;

    auto p = std::make_unique<PanelState>();
    p->handle = rt().nextHandle++;
    p->parent = parent;
    p->res = &res;
    p->title = res.title;
    p->width = res.width;
    p->height = res.height;
    for (const ControlRes& r : res.controls) {
        p->controls.push_back(makeControl(res, r));
        if (!p->activeCtrl && r.visible && canFocus(r.kind)) p->activeCtrl = r.id;
    }
    if (res.menuBar) p->menuBar = makeMenuBar(res, p->handle);
    const int handle = p->handle;
    rt().panels[handle] = std::move(p);
    rt().loadOrder.push_back(handle);
    if (rt().frontEnd) rt().frontEnd->panelLoaded(handle);
    return handle;
}

int DisplayPanel(int handle) {
    PanelState* p = panel(handle);
    if (!p) return UIE_BAD_PANEL;
    p->visible = true;
    rt().activePanel = handle;
    notifyPanel(handle);
    return 0;
}

int HidePanel(int handle) {
    PanelState* p = panel(handle);
    if (!p) return UIE_BAD_PANEL;
    p->visible = false;
    if (rt().activePanel == handle) pickActivePanel();
    notifyPanel(handle);
    return 0;
}

int DiscardPanel(int handle) {
    if (!panel(handle)) return UIE_BAD_PANEL;
    std::vector<int> children;
    for (int h : rt().loadOrder)
        if (panel(h)->parent == handle) children.push_back(h);
    for (int child : children)
        DiscardPanel(child);

    if (rt().frontEnd) rt().frontEnd->panelDiscarding(handle);
    if (int bar = panel(handle)->menuBar) rt().menuBars.erase(bar);
    rt().panels.erase(handle);
    std::erase(rt().loadOrder, handle);
    if (rt().activePanel == handle) pickActivePanel();
    return 0;
}

int SetActivePanel(int handle) {
    if (!panel(handle)) return UIE_BAD_PANEL;
    rt().activePanel = handle;
    notifyPanel(handle);
    return 0;
}

int GetActivePanel() {
    return rt().activePanel;
}
