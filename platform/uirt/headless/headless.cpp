// Headless front end: no window; a scripted event loop and recorded popups, prints, clipboard.
#include "platform/uirt/headless/headless.h"

#include <deque>
#include <map>

#include "platform/uirt/headless/descriptors.h"
#include "platform/uirt/headless/progress.h"
#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/quitsignal.h"
#include "platform/uirt/model/state.h"

namespace uirt::headless {

namespace {

// Survives the front end object, so tests can queue steps before the program's InitCVIRTE.
struct Session {
    std::deque<std::function<void()>> script;
    std::deque<bool> confirmAnswers;
    std::deque<int> popupChoices;
    std::deque<std::string> fileAnswers;
    std::vector<FileSelect> fileSelects;
    std::vector<Popup> popups;
    std::vector<PrintJob> printJobs;
    std::vector<std::string> helpRequests;
    std::string clipboard;
    bool helpAvailable = true;
    MouseState mouse;
    bool loopRan = false;
    bool quitRequested = false;
    int quitCode = 0;
    // Text of each control of a discarded panel, by panel constant name and control.
    std::map<std::pair<std::string, int>, std::string> discardedText;
};

Session& session() {
    static Session s;
    return s;
}

class HeadlessFrontEnd final : public FrontEnd,
                               Popups,
                               Clipboard,
                               Printer,
                               HelpViewer,
                               Pointer,
                               Metrics,
                               EventLoop {
  public:
    void panelLoaded(int) override {}
    // Keeps what the panel showed, so tests can read it after shutdown discarded it.
    void panelDiscarding(int panel) override {
        const PanelState* p = FindPanel(panel);
        if (p == nullptr) return;
        for (const ControlState& c : p->controls)
            session().discardedText[{p->res->constName, c.id}] = DisplayText(c);
    }
    void panelChanged(int) override {}
    void controlChanged(int, int, Change) override {}
    void textAppended(int, int, std::string_view) override {}
    void textEdited(int, int, int, int, std::string_view) override {}
    void menuChanged(int, int) override {}

    Popups& popups() override { return *this; }
    Clipboard& clipboard() override { return *this; }
    Printer& printer() override { return *this; }
    HelpViewer& help() override { return *this; }
    Pointer& pointer() override { return *this; }
    Metrics& metrics() override { return *this; }
    EventLoop& eventLoop() override { return *this; }
    DescriptorWatch* descriptors() override { return &detail::Descriptors(); }

    void message(std::string_view title, std::string_view text) override {
        session().popups.push_back(
            {.kind = Popup::Kind::Message, .title = std::string(title), .text = std::string(text)});
    }

    bool confirm(std::string_view title, std::string_view text, bool defaultYes) override {
        Session& s = session();
        bool yes = false;
        if (!s.confirmAnswers.empty()) {
            yes = s.confirmAnswers.front();
            s.confirmAnswers.pop_front();
        }
        s.popups.push_back({.kind = Popup::Kind::Confirm,
                            .title = std::string(title),
                            .text = std::string(text),
                            .answer = yes ? 1 : 0,
                            .defaultAnswer = defaultYes ? 1 : 0});
        return yes;
    }

    int popupMenu(int menuBar, int menu, int, int top, int left) override {
        Session& s = session();
        int item = 0;
        if (!s.popupChoices.empty()) {
            item = s.popupChoices.front();
            s.popupChoices.pop_front();
        }
        std::string label;
        if (const MenuBarState* bar = FindMenuBar(menuBar))
            for (const MenuEntryState& e : bar->entries)
                if (e.id == menu) label = e.label;
        s.popups.push_back({.kind = Popup::Kind::Menu,
                            .title = "",
                            .text = label,
                            .answer = item,
                            .top = top,
                            .left = left});
        return item;
    }

    std::string selectFile(const FileRequest& r) override {
        Session& s = session();
        std::string path;
        if (!s.fileAnswers.empty()) {
            path = std::move(s.fileAnswers.front());
            s.fileAnswers.pop_front();
        }
        s.fileSelects.push_back({r.directory, r.fileName, r.filter, r.title, r.forSaving, path});
        return path;
    }

    bool hasText() override { return !session().clipboard.empty(); }
    std::string text() override { return session().clipboard; }
    void setText(std::string_view text) override { session().clipboard = text; }

    int printText(std::string_view text, const PrintSettings& settings) override {
        session().printJobs.push_back({std::string(text), settings.lineWidth, settings.wrapLines});
        return 0;
    }

    int show(std::string_view path) override {
        Session& s = session();
        s.helpRequests.emplace_back(path);
        return s.helpAvailable ? static_cast<int>(s.helpRequests.size()) : 0;
    }

    MouseState mouse(int, int) override { return session().mouse; }

    int textWidth(std::string_view text, std::string_view) override {
        return 7 * static_cast<int>(text.size());
    }
    int lineHeight(std::string_view) override { return 16; }

    // Runs the script until a step quits; an exhausted script quits with 0.
    int run() override {
        Session& s = session();
        s.loopRan = true;
        s.quitRequested = false;
        while (!s.quitRequested && !s.script.empty()) {
            detail::TurnDescriptors(); // each step is one turn of the loop
            std::function<void()> step = std::move(s.script.front());
            s.script.pop_front();
            step();
        }
        if (!s.quitRequested) s.quitCode = 0;
        s.quitRequested = false;
        return s.quitCode;
    }

    void quit(int code) override {
        session().quitRequested = true;
        session().quitCode = code;
    }
};

const ControlState* find(int panel, int control) {
    return FindControl(panel, control);
}

} // namespace

void Reset() {
    ResetModel();
    session() = Session{};
    ResetProgress();
    ForgetQuitSignal();
    detail::ForgetDescriptors();
}

void Script(std::function<void()> step) {
    session().script.push_back(std::move(step));
}

int EnterValue(int panel, int control, double value) {
    return input::enterNumber(panel, control, value);
}
int EnterText(int panel, int control, std::string_view text) {
    return input::enterText(panel, control, text);
}
int Press(int panel, int control) {
    return input::press(panel, control);
}
int Toggle(int panel, int control, int on) {
    return input::toggle(panel, control, on);
}
int ChooseRingItem(int panel, int control, int index) {
    return input::chooseRingItem(panel, control, index);
}
int MarkOption(int panel, int control, int index) {
    return input::markOption(panel, control, index);
}
int RightClick(int panel, int control, int top, int left) {
    session().mouse = {.x = left, .y = top, .right = true};
    return input::rightClick(panel, control, top, left);
}
int TimerTick(int panel, int control) {
    return input::timerTick(panel, control);
}
int SelectText(int panel, int control, int start, int length) {
    return input::selectText(panel, control, start, length);
}
int Focus(int panel, int control) {
    return input::focus(panel, control);
}
int OpenMenu(int menuBar, int menu) {
    return input::openMenu(menuBar, menu);
}
int ClosePanel(int panel) {
    return input::closePanel(panel);
}

int ChooseMenuItem(int menuBar, int item) {
    const MenuBarState* bar = FindMenuBar(menuBar);
    if (!bar) return UIE_BAD_MENU;
    for (const MenuEntryState& e : bar->entries) {
        if (e.id != item || e.menu == 0) continue;
        const int err = input::openMenu(menuBar, e.menu);
        return err < 0 ? err : input::chooseMenuItem(menuBar, item);
    }
    return UIE_BAD_MENU;
}

int ChooseMenuItem(std::string_view itemConstName) {
    for (int panel : PanelHandles()) {
        const MenuBarState* bar = FindMenuBar(FindPanel(panel)->menuBar);
        if (!bar) continue;
        for (const MenuEntryState& e : bar->entries)
            if (e.res && itemConstName == e.res->constName)
                return ChooseMenuItem(bar->handle, e.id);
    }
    return UIE_BAD_MENU;
}

void AnswerNextConfirm(bool yes) {
    session().confirmAnswers.push_back(yes);
}
void ChooseNextPopupItem(int item) {
    session().popupChoices.push_back(item);
}
void AnswerNextFileSelect(std::string_view path) {
    session().fileAnswers.emplace_back(path);
}
void SetClipboardText(std::string_view text) {
    session().clipboard = text;
}
void SetHelpAvailable(bool available) {
    session().helpAvailable = available;
}

int PanelNamed(std::string_view constName) {
    for (int panel : PanelHandles())
        if (constName == FindPanel(panel)->res->constName) return panel;
    return -1;
}

int MenuBarOf(int panel) {
    const PanelState* p = FindPanel(panel);
    return p ? p->menuBar : UIE_BAD_PANEL;
}

std::string Text(int panel, int control) {
    const ControlState* c = find(panel, control);
    return c ? DisplayText(*c) : std::string();
}

std::string LastText(std::string_view panelConstName, int control) {
    int panel = PanelNamed(panelConstName);
    if (panel > 0) return Text(panel, control);
    const auto& kept = session().discardedText;
    auto it = kept.find({std::string(panelConstName), control});
    return it != kept.end() ? it->second : std::string();
}

std::string Label(int panel, int control) {
    const ControlState* c = find(panel, control);
    return c ? c->label : std::string();
}

double Value(int panel, int control) {
    const ControlState* c = find(panel, control);
    if (!c) return 0;
    if (c->kind == CtrlKind::Ring)
        return c->selectedIndex >= 0 ? c->items[static_cast<std::size_t>(c->selectedIndex)].value
                                     : 0;
    return c->value;
}

bool IsDimmed(int panel, int control) {
    const ControlState* c = find(panel, control);
    return c && c->dimmed;
}

bool IsVisible(int panel, int control) {
    const ControlState* c = find(panel, control);
    return c && c->visible;
}

bool IsPanelVisible(int panel) {
    const PanelState* p = FindPanel(panel);
    return p && p->visible;
}

bool IsMenuItemDimmed(int menuBar, int item) {
    const MenuBarState* bar = FindMenuBar(menuBar);
    if (!bar) return false;
    for (const MenuEntryState& e : bar->entries)
        if (e.id == item) return e.dimmed;
    return false;
}

int MarkedOption(int panel, int control) {
    const ControlState* c = find(panel, control);
    if (!c) return -1;
    for (std::size_t i = 0; i < c->items.size(); ++i)
        if (c->items[i].marked) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> ListLabels(int panel, int control) {
    std::vector<std::string> labels;
    if (const ControlState* c = find(panel, control))
        for (const ItemState& item : c->items)
            labels.push_back(item.label);
    return labels;
}

std::vector<double> ChartPoints(int panel, int control, int trace) {
    const ControlState* c = find(panel, control);
    if (!c || trace < 1 || trace > static_cast<int>(c->traces.size())) return {};
    const std::deque<double>& points = c->traces[static_cast<std::size_t>(trace - 1)].points;
    return {points.begin(), points.end()};
}

int ActivePanel() {
    return GetActivePanel();
}
int ActiveCtrl(int panel) {
    return GetActiveCtrl(panel);
}

const std::vector<Popup>& Popups() {
    return session().popups;
}
void ClearPopups() {
    session().popups.clear();
}
const std::vector<PrintJob>& PrintJobs() {
    return session().printJobs;
}
const std::vector<FileSelect>& FileSelects() {
    return session().fileSelects;
}
std::string ClipboardText() {
    return session().clipboard;
}
const std::vector<std::string>& HelpRequests() {
    return session().helpRequests;
}
bool EventLoopRan() {
    return session().loopRan;
}
int EventLoopQuitCode() {
    return session().quitCode;
}

} // namespace uirt::headless

namespace uirt::headless {

std::unique_ptr<FrontEnd> MakeFrontEnd() {
    SetProgressBox(&TestProgressBox());
    return std::make_unique<HeadlessFrontEnd>();
}

} // namespace uirt::headless
