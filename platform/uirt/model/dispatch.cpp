// Model: the front end and the event loop: start-up, notifications to the front end, callback
// dispatch, running and quitting the loop.
#include "platform/uirt/model/frontendchoice.h"
#include "platform/uirt/model/runtime.h"

namespace uirt {
namespace detail {

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

} // namespace detail

FrontEnd* CurrentFrontEnd() {
    return detail::rt().frontEnd.get();
}

} // namespace uirt

using namespace uirt;
using namespace uirt::detail;

int InitCVIRTE(void*, char** argv, void*) {
    if (rt().frontEnd) return 1;
    rt().frontEnd = MakeFrontEnd(argv);
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
