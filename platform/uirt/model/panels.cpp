// Model core: resources, panel loading and discarding, front end, event loop, reset.
#include <algorithm>
#include <cstdio>

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

void notifyControl(int panelHandle, int controlId, Change what) {
    if (rt().frontEnd) rt().frontEnd->controlChanged(panelHandle, controlId, what);
}

void notifyPanel(int panelHandle) {
    if (rt().frontEnd) rt().frontEnd->panelChanged(panelHandle);
}

void notifyMenu(int menuBarHandle, int id) {
    if (rt().frontEnd) rt().frontEnd->menuChanged(menuBarHandle, id);
}

namespace {

// Counts running callbacks so that timer ticks are never delivered re-entrantly.
struct CallbackScope {
    CallbackScope() { ++rt().callbackDepth; }
    ~CallbackScope() { --rt().callbackDepth; }
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;
};

// Used when no front end exists yet (panels may be loaded before InitCVIRTE).
class FallbackMetrics : public Metrics {
  public:
    int textWidth(std::string_view text, std::string_view) override {
        return 7 * static_cast<int>(text.size());
    }
    int lineHeight(std::string_view) override { return 16; }
};

} // namespace

void raise(int panelHandle, int controlId, int event, int data1, int data2) {
    const ControlState* c = control(panelHandle, controlId);
    if (!c || !c->callback) return;
    // Copy before calling: the callback may discard the panel.
    CtrlCallbackPtr callback = c->callback;
    void* data = c->callbackData;
    CallbackScope scope;
    callback(panelHandle, controlId, event, data, data1, data2);
}

void runMenuCallback(int menuBarHandle, int item) {
    MenuBarState* bar = menuBar(menuBarHandle);
    MenuEntryState* e = bar ? menuEntry(*bar, item) : nullptr;
    if (!e || !e->callback) return;
    MenuCallbackPtr callback = e->callback;
    void* data = e->callbackData;
    int panelHandle = bar->panel;
    CallbackScope scope;
    callback(menuBarHandle, item, data, panelHandle);
}

void runDimmer(int menuBarHandle) {
    MenuBarState* bar = menuBar(menuBarHandle);
    if (!bar || !bar->dimmer) return;
    MenuDimmerCallbackPtr dimmer = bar->dimmer;
    int panelHandle = bar->panel;
    CallbackScope scope;
    dimmer(menuBarHandle, panelHandle);
}

Metrics& metrics() {
    static FallbackMetrics fallback;
    return rt().frontEnd ? rt().frontEnd->metrics() : fallback;
}

bool canFocus(CtrlKind kind) {
    switch (kind) {
    case CtrlKind::Numeric:
    case CtrlKind::String:
    case CtrlKind::TextBox:
    case CtrlKind::CommandButton:
    case CtrlKind::CheckBox:
    case CtrlKind::BinarySwitch:
    case CtrlKind::Ring:
    case CtrlKind::Tree:
        return true;
    default:
        return false;
    }
}

} // namespace detail

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

FrontEnd* CurrentFrontEnd() {
    return rt().frontEnd.get();
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
}

int TextBoxLineCap() {
    return rt().lineCap;
}

void SetTextBoxLineCap(int lines) {
    rt().lineCap = std::max(1, lines);
}

} // namespace uirt

using namespace uirt;
using namespace uirt::detail;

int InitCVIRTE(void*, char** argv, void*) {
    if (rt().frontEnd) return 1;
    rt().frontEnd = CreateFrontEnd(argv);
    if (!rt().frontEnd) return 0;
    for (int h : rt().loadOrder)
        rt().frontEnd->panelLoaded(h);
    return 1;
}

int RunUserInterface() {
    if (!rt().frontEnd) return UIE_NOT_INITIALIZED;
    return rt().frontEnd->eventLoop().run();
}

int QuitUserInterface(int code) {
    if (!rt().frontEnd) return UIE_NOT_INITIALIZED;
    rt().frontEnd->eventLoop().quit(code);
    return 0;
}

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

int SetPanelAttribute(int handle, int attribute, int value) {
    PanelState* p = panel(handle);
    if (!p) return UIE_BAD_PANEL;
    switch (attribute) {
    case ATTR_VISIBLE:
        return value ? DisplayPanel(handle) : HidePanel(handle);
    case ATTR_TOP:
        p->top = value;
        break;
    case ATTR_LEFT:
        p->left = value;
        break;
    case ATTR_WIDTH:
        p->width = value;
        break;
    case ATTR_HEIGHT:
        p->height = value;
        break;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
    notifyPanel(handle);
    return 0;
}

int SetPanelAttribute(int handle, int attribute, const char* value) {
    PanelState* p = panel(handle);
    if (!p) return UIE_BAD_PANEL;
    if (!value) return UIE_NULL_POINTER;
    if (attribute != ATTR_TITLE) return UIE_BAD_ATTRIBUTE;
    p->title = value;
    notifyPanel(handle);
    return 0;
}

int GetPanelAttribute(int handle, int attribute, int* value) {
    const PanelState* p = panel(handle);
    if (!p) return UIE_BAD_PANEL;
    if (!value) return UIE_NULL_POINTER;
    switch (attribute) {
    case ATTR_VISIBLE:
        *value = p->visible;
        break;
    case ATTR_TOP:
        *value = p->top;
        break;
    case ATTR_LEFT:
        *value = p->left;
        break;
    case ATTR_WIDTH:
        *value = p->width;
        break;
    case ATTR_HEIGHT:
        *value = p->height;
        break;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
    return 0;
}

int GetPanelAttribute(int handle, int attribute, char* value, std::size_t size) {
    const PanelState* p = panel(handle);
    if (!p) return UIE_BAD_PANEL;
    if (attribute != ATTR_TITLE) return UIE_BAD_ATTRIBUTE;
    return copyText(p->title, value, size);
}
