// Front-end interface: what a front end (Qt window, headless) implements, the notifications the
// model sends it, and the input API through which user actions reach the model.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace uirt {

class DescriptorWatch; // watch.h

// What changed on a control. The front end re-reads the control's state (state.h) and mirrors
// it without raising events.
enum class Change {
    Value, // value, text (replaced) or ring selection
    Label,
    Dimmed,
    Visible,
    Geometry,
    Range,     // range, increment, format, digits, precision, max length
    Items,     // ring/tree items added, removed, relabelled
    Marks,     // tree marks or mark types
    Look,      // tree look attributes (colours, frame, tag)
    Selection, // text selection
    Focus,     // became the active control of its panel
    Timer,     // interval or enabled
    Callback,
};

struct PrintSettings {
    int lineWidth = -1; // characters per line, -1 = page width
    bool wrapLines = true;
};

struct MouseState {
    int x = 0, y = 0; // relative to the control's panel
    bool left = false, right = false;
    int modifiers = 0;
};

// What FileSelectPopup asks the user for.
struct FileRequest {
    std::string directory; // "" = the working directory
    std::string fileName;  // proposed name
    std::string filter;    // "*.csv;*.txt", "" = all files
    std::string title;
    bool forSaving = false; // a new or existing file to write; else an existing one to read
};

// Modal popups. Each blocks until the user answers (a front end may run a nested loop).
class Popups {
  public:
    virtual ~Popups() = default;
    virtual void message(std::string_view title, std::string_view text) = 0;
    // true for Yes; `defaultYes` says which button Enter presses.
    virtual bool confirm(std::string_view title, std::string_view text, bool defaultYes) = 0;
    // Shows `menu` of the bar at (top, left) of the panel; returns the chosen item or 0.
    // The model has run the dimmer and runs the chosen item's callback itself.
    virtual int popupMenu(int menuBar, int menu, int panel, int top, int left) = 0;
    // Lets the user choose a file; returns its path, "" when cancelled.
    virtual std::string selectFile(const FileRequest& request) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual bool hasText() = 0;
    virtual std::string text() = 0;
    virtual void setText(std::string_view text) = 0;
};

class Printer {
  public:
    virtual ~Printer() = default;
    // Prints plain text; returns 0, or a negative UIE_ code when printing fails.
    virtual int printText(std::string_view text, const PrintSettings& settings) = 0;
};

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    // Shows the page; returns a window id > 0, or 0 when it cannot be shown.
    virtual int show(std::string_view path) = 0;
};

class Pointer {
  public:
    virtual ~Pointer() = default;
    virtual MouseState mouse(int panel, int control) = 0;
};

// Text metrics used to size trees to their labels.
class Metrics {
  public:
    virtual ~Metrics() = default;
    virtual int textWidth(std::string_view text, std::string_view font) = 0;
    virtual int lineHeight(std::string_view font) = 0;
};

class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Runs until quit(); returns the code given to quit.
    virtual int run() = 0;
    // Called by the model (from QuitUserInterface) while run() is active.
    virtual void quit(int code) = 0;
};

// A front end: change notifications plus its services. The model owns it (from InitCVIRTE
// until ResetModel) and calls it only on the UI thread. Notifications arrive after the model
// has changed; a front end must not call the input API from inside a notification.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    virtual void panelLoaded(int panel) = 0;     // panel and its controls/menu bar exist
    virtual void panelDiscarding(int panel) = 0; // still readable; gone after the call
    virtual void panelChanged(int panel) = 0;    // shown/hidden, title, geometry, activated
    virtual void controlChanged(int panel, int control, Change what) = 0;
    // Text appended to a text box by the program (the model's text already holds it).
    virtual void textAppended(int panel, int control, std::string_view text) = 0;
    // Part of a text box's text replaced by a program edit (cut, paste): bytes [start,
    // start + removed) became `inserted`. The model's text already holds it, with the lines
    // beyond the cap dropped.
    virtual void textEdited(int panel, int control, int start, int removed,
                            std::string_view inserted) = 0;
    virtual void menuChanged(int menuBar, int menuOrItem) = 0; // label, dimmed, checked
    // The busy pointer was switched on or off (SetWaitCursor). A front end without a pointer
    // ignores it.
    virtual void waitCursorChanged(bool busy) { (void)busy; }

    virtual Popups& popups() = 0;
    virtual Clipboard& clipboard() = 0;
    virtual Printer& printer() = 0;
    virtual HelpViewer& help() = 0;
    virtual Pointer& pointer() = 0;
    virtual Metrics& metrics() = 0;
    virtual EventLoop& eventLoop() = 0;
    // Descriptors watched in the event loop (watch.h); null when the front end has none.
    virtual DescriptorWatch* descriptors() { return nullptr; }
};

// Defined by exactly one front-end library (uirt_qt or uirt_headless); InitCVIRTE calls it with
// its argv (the program name and the toolkit's options, null-terminated; may be null).
// Returns null when the front end cannot start.
std::unique_ptr<FrontEnd> CreateFrontEnd(char** argv);

// The front end in use, or null before InitCVIRTE / after ResetModel.
FrontEnd* CurrentFrontEnd();

// ---- Input API: user actions from a front end ----------------------------------------------
// Each returns 0 when the action was taken (events raised), or a negative UIE_ code:
// UIE_NO_INPUT when the control is dimmed, hidden, on a hidden panel or of a kind that takes
// no such input. Events go to the control's callback; the panel and control may be discarded
// by a callback, which the model tolerates.
namespace input {

// Numeric: clamped to range and coerced to the data type, stored, then value changed + commit.
int enterNumber(int panel, int control, double value);
// String or text box: cut to the maximum length, stored (replacing the text), then value
// changed + commit (text box: value changed only).
int enterText(int panel, int control, std::string_view text);
// Text box: the user replaced [start, start + removed) by `inserted` (byte offsets, clipped
// to the text). Stored with the caret after the insertion, then value changed. Costs the
// change plus moving the text after it; nothing is copied as a whole.
int editText(int panel, int control, int start, int removed, std::string_view inserted);
int press(int panel, int control);                     // command button: commit
int toggle(int panel, int control, int on);            // check box, switch: value changed + commit
int chooseRingItem(int panel, int control, int index); // value changed + commit
int markOption(int panel, int control, int index);     // tree with marks: commit
int rightClick(int panel, int control, int top, int left); // EVENT_RIGHT_CLICK
// Timer tick: delivered only while enabled and while no callback runs (UIE_BUSY).
int timerTick(int panel, int control);
// Opens a menu of the bar: runs the dimmer. Then chooseMenuItem runs the item's callback
// unless it is dimmed (UIE_NO_INPUT). Shortcut keys call chooseMenuItem directly.
int openMenu(int menuBar, int menu);
int chooseMenuItem(int menuBar, int item);
// No events: the user moved the focus, activated a window or selected text.
int focus(int panel, int control);
int activatePanel(int panel);
int selectText(int panel, int control, int start, int length);
// The window manager closed the panel's window: presses its close control, if any.
int closePanel(int panel);

} // namespace input

} // namespace uirt
