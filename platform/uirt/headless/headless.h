// Headless front end's test API: act as the user and read what the user would see.
//
// Typical start-up test:
//     uirt::headless::Reset();
//     uirt::headless::Script([] { uirt::headless::ChooseMenuItem("MENUBAR_FILEMENU_EXIT"); });
//     main_entry();  // InitCVIRTE, LoadPanel..., RunUserInterface runs the script, shutdown
//     EXPECT_EQ(uirt::headless::Popups().size(), 0u);
// Panels are found by their resource constant name ("SETUPPANEL"), controls and menu items
// by their constant numbers or names, so tests need no handles from the program.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace uirt {
class FrontEnd;
}

namespace uirt::headless {

// A new headless front end: what the linked CreateFrontEnd of the headless library returns, and
// what a program that links another front end chooses for its windowless commands.
std::unique_ptr<FrontEnd> MakeFrontEnd();

// Resets the model (all panels discarded, callbacks cleared, front end dropped) and this
// front end's script, queued answers, records, clipboard and mouse position, its progress box
// (progress.h) and the recorded quit signal.
void Reset();

// ---- Script for RunUserInterface ------------------------------------------------------------
// RunUserInterface runs the queued steps in order until a callback quits; when the script
// runs out it quits with 0, so a test never hangs. Before each step the loop turns: watched
// descriptors (model/watch.h) that are ready are delivered.
void Script(std::function<void()> step);

// ---- Acting as the user ------------------------------------------------------------------------
// Each returns what the model's input API returns: 0, or a negative UIE_ code (UIE_NO_INPUT
// for a dimmed or hidden control, UIE_BAD_PANEL/UIE_BAD_CONTROL for unknown ones).
int EnterValue(int panel, int control, double value);
int EnterText(int panel, int control, std::string_view text);
int Press(int panel, int control);
int Toggle(int panel, int control, int on);
int ChooseRingItem(int panel, int control, int index);
int MarkOption(int panel, int control, int index);
// Right click at (top, left) in panel pixels; also becomes the mouse position.
int RightClick(int panel, int control, int top = 10, int left = 10);
int TimerTick(int panel, int control);
int SelectText(int panel, int control, int start, int length);
int Focus(int panel, int control);
// Opens the item's menu (the dimmer runs), then chooses the item (refused when dimmed).
int ChooseMenuItem(int menuBar, int item);
int ChooseMenuItem(std::string_view itemConstName); // on the menu bar that has it
int OpenMenu(int menuBar, int menu);
int ClosePanel(int panel);

// Answers for the next confirmation popups, in order; without one queued the answer is No.
void AnswerNextConfirm(bool yes);
// The item to choose in the next pop-up menu (0 dismisses it); without one it is dismissed.
void ChooseNextPopupItem(int item);
// The path chosen in the next file selection ("" cancels it); without one queued it is cancelled.
void AnswerNextFileSelect(std::string_view path);
void SetClipboardText(std::string_view text); // "" empties it
void SetHelpAvailable(bool available);        // false: help windows fail to open

// ---- Reading what the user sees ------------------------------------------------------------
// Panel handle of the loaded panel with that constant name ("SETUPPANEL"), -1 when none.
int PanelNamed(std::string_view constName);
int MenuBarOf(int panel);
std::string Text(int panel, int control); // uirt::DisplayText
// Text of a control of the panel with that constant name: live while the panel is loaded,
// otherwise as it was when the panel was last discarded ("" when never seen).
std::string LastText(std::string_view panelConstName, int control);
std::string Label(int panel, int control);
double Value(int panel, int control);
bool IsDimmed(int panel, int control);
bool IsVisible(int panel, int control);
bool IsPanelVisible(int panel);
bool IsMenuItemDimmed(int menuBar, int item);
int MarkedOption(int panel, int control); // -1 when none marked
std::vector<std::string> ListLabels(int panel, int control);
// The points a strip chart holds for a trace (from 1), oldest first; empty when none.
std::vector<double> ChartPoints(int panel, int control, int trace);
int ActivePanel();
int ActiveCtrl(int panel);

struct Popup {
    enum class Kind { Message, Confirm, Menu } kind;
    std::string title;     // Menu: empty
    std::string text;      // Menu: the menu's label
    int answer = 0;        // Confirm: 1 Yes / 0 No; Menu: the item chosen or 0
    int top = 0, left = 0; // Menu: position
    int defaultAnswer = 0; // Confirm: the default button, 1 Yes / 0 No
};
const std::vector<Popup>& Popups();
void ClearPopups();

struct PrintJob {
    std::string text;
    int lineWidth = -1;
    bool wrapLines = true;
};
const std::vector<PrintJob>& PrintJobs();
// The file selections asked for, in order, with the path answered ("" when cancelled).
struct FileSelect {
    std::string directory, fileName, filter, title;
    bool forSaving = false;
    std::string answer;
};
const std::vector<FileSelect>& FileSelects();
std::string ClipboardText();
const std::vector<std::string>& HelpRequests();
bool EventLoopRan(); // RunUserInterface was called since the last Reset
int EventLoopQuitCode();

} // namespace uirt::headless
