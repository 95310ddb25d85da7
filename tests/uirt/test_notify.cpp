// Change notifications: every program change reaches the front end, so a window can mirror it.
#include <gtest/gtest.h>

#include "TestPanel.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/runtime.h"

namespace hl = uirt::headless;
using Strings = std::vector<std::string>;
using uirt::Change;

namespace {

// Wraps the headless front end's services and records the notifications.
class Recorder final : public uirt::FrontEnd {
  public:
    explicit Recorder(std::unique_ptr<uirt::FrontEnd> inner) : inner_(std::move(inner)) {}
    Strings seen;

    void panelLoaded(int) override { seen.push_back("loaded"); }
    void panelDiscarding(int) override { seen.push_back("discarding"); }
    void panelChanged(int) override { seen.push_back("panel"); }
    void controlChanged(int, int control, Change what) override {
        seen.push_back(std::to_string(control) + ":" + std::to_string(static_cast<int>(what)));
    }
    void textAppended(int, int control, std::string_view text) override {
        seen.push_back(std::to_string(control) + "+" + std::string(text));
    }
    void textEdited(int, int control, int start, int removed, std::string_view text) override {
        seen.push_back(std::to_string(control) + "~" + std::to_string(start) + "," +
                       std::to_string(removed) + "," + std::string(text));
    }
    void menuChanged(int, int item) override { seen.push_back("menu" + std::to_string(item)); }

    uirt::Popups& popups() override { return inner_->popups(); }
    uirt::Clipboard& clipboard() override { return inner_->clipboard(); }
    uirt::Printer& printer() override { return inner_->printer(); }
    uirt::HelpViewer& help() override { return inner_->help(); }
    uirt::Pointer& pointer() override { return inner_->pointer(); }
    uirt::Metrics& metrics() override { return inner_->metrics(); }
    uirt::EventLoop& eventLoop() override { return inner_->eventLoop(); }

  private:
    std::unique_ptr<uirt::FrontEnd> inner_;
};

std::string N(int control, Change what) {
    return std::to_string(control) + ":" + std::to_string(static_cast<int>(what));
}

} // namespace

// Fails if a program change is not notified, or is notified as the wrong kind of change.
TEST(Notifications, ProgramChangesReachTheFrontEnd) {
    const int panel = StartTestPanel();
    auto recorder = std::make_unique<Recorder>(uirt::CreateFrontEnd());
    Recorder& r = *recorder;
    uirt::detail::rt().frontEnd = std::move(recorder);

    SetCtrlVal(panel, T_NUM, 9);
    SetCtrlVal(panel, T_TEXT, "abc");
    SetCtrlAttribute(panel, T_BTN, ATTR_DIMMED, 1);
    SetCtrlAttribute(panel, T_NUM, ATTR_VISIBLE, 0);
    SetCtrlAttribute(panel, T_BTN, ATTR_LABEL_TEXT, "Stop");
    SetCtrlAttribute(panel, T_UINT, ATTR_MIN_DIGITS, 4);
    SetCtrlAttribute(panel, T_TIMER, ATTR_ENABLED, 1);
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_START, 1);
    SetActiveCtrl(panel, T_STR);
    InsertListItem(panel, T_RING, -1, "four", 4);
    SetTreeItemAttribute(panel, T_TREE, VAL_ALL_ITEMS, ATTR_MARK_TYPE, VAL_MARK_RADIO);
    SetCtrlAttribute(panel, T_TREE, ATTR_HEIGHT, 48);
    SetMenuBarAttribute(GetPanelMenuBar(panel), TM_DO, ATTR_DIMMED, 1);
    HidePanel(panel);
    EXPECT_EQ(
        r.seen,
        (Strings{N(T_NUM, Change::Value), std::to_string(T_TEXT) + "+abc", N(T_BTN, Change::Dimmed),
                 N(T_NUM, Change::Visible), N(T_BTN, Change::Label), N(T_UINT, Change::Range),
                 N(T_TIMER, Change::Timer), N(T_TEXT, Change::Selection), N(T_STR, Change::Focus),
                 N(T_RING, Change::Items), N(T_TREE, Change::Marks), N(T_TREE, Change::Geometry),
                 "menu" + std::to_string(TM_DO), "panel"}));
    r.seen.clear();
    // User input changes the value too: the window showing it must follow (e.g. a clamp).
    DisplayPanel(panel);
    SetCtrlAttribute(panel, T_NUM, ATTR_VISIBLE, 1);
    r.seen.clear();
    hl::EnterValue(panel, T_NUM, 500);
    EXPECT_EQ(r.seen, Strings{N(T_NUM, Change::Value)});
    // Cut and paste in a text box are edits, passed as such (not as a new whole text).
    SetActiveCtrl(panel, T_TEXT);
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_LENGTH, 1); // "b" of "abc"
    r.seen.clear();
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'X');
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
    const std::string text = std::to_string(T_TEXT);
    EXPECT_EQ(r.seen, (Strings{text + "~1,1,", N(T_TEXT, Change::Selection), text + "~1,0,b",
                               N(T_TEXT, Change::Selection)}));
    r.seen.clear();
    DiscardPanel(panel);
    EXPECT_EQ(r.seen, Strings{"discarding"});
    hl::Reset();
}
