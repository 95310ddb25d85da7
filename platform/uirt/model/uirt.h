// Panel/control run-time API: the only user-interface header Kestrel's own code includes.
//
// Panels are loaded from registered resources and addressed by int handles; controls by
// (panel handle, control constant); menu items by (menu bar handle, item constant).
// Every call returns 0 (or the documented result) on success and a negative UIE_ code on
// failure: a bad panel handle, control constant, menu bar, item or index never crashes.
// Values written by the program raise no event. All calls run on the one UI thread.
#pragma once

#include <cstddef>

// ---- Callback types ------------------------------------------------------------------------

// Control callback: returns 0. eventData1/2 depend on the event (right click: top, left of
// the mouse relative to the panel; otherwise 0).
using CtrlCallbackPtr = int (*)(int panel, int control, int event, void* callbackData,
                                int eventData1, int eventData2);
// Menu item callback.
using MenuCallbackPtr = void (*)(int menuBar, int menuItem, void* callbackData, int panel);
// Menu dimmer callback: runs each time the user opens a menu of the bar (also a pop-up menu).
using MenuDimmerCallbackPtr = void (*)(int menuBar, int panel);

// ---- Events ----------------------------------------------------------------------------------

inline constexpr int EVENT_COMMIT = 1;
inline constexpr int EVENT_VAL_CHANGED = 2;
inline constexpr int EVENT_RIGHT_CLICK = 5;
inline constexpr int EVENT_TIMER_TICK = 15;

// ---- Error codes (all negative) --------------------------------------------------------------

inline constexpr int UIE_NOT_INITIALIZED = -1;    // InitCVIRTE has not run / no front end
inline constexpr int UIE_BAD_PANEL = -2;          // not a loaded panel handle
inline constexpr int UIE_BAD_CONTROL = -3;        // no such control on the panel
inline constexpr int UIE_BAD_ATTRIBUTE = -4;      // attribute unknown or not for this kind
inline constexpr int UIE_BAD_VALUE = -5;          // value of the wrong type for the control
inline constexpr int UIE_BAD_INDEX = -6;          // list/tree index out of range
inline constexpr int UIE_ITEM_NOT_FOUND = -7;     // no ring item with that value
inline constexpr int UIE_RESOURCE_NOT_FOUND = -8; // no panel at that file name and index
inline constexpr int UIE_BAD_MENU = -9;           // not a menu bar handle, menu or item
inline constexpr int UIE_NO_INPUT = -10;          // user input refused: dimmed, hidden, indicator
inline constexpr int UIE_BUSY = -11;              // timer tick refused: a callback is running
inline constexpr int UIE_PRINT_FAILED = -12;      // printing or writing the output file failed
inline constexpr int UIE_NULL_POINTER = -13;      // a required pointer argument was null
inline constexpr int UIE_BUFFER_TOO_SMALL = -14;  // text truncated to fit the caller's buffer
inline constexpr int UIE_PRINT_CANCELLED = -15;   // the user cancelled the print dialog

// ---- Attributes ------------------------------------------------------------------------------
// Control and menu attributes. Integer-valued unless noted.

inline constexpr int ATTR_DIMMED = 20001;     // control or menu item: 1 = takes no input
inline constexpr int ATTR_VISIBLE = 20002;    // control
inline constexpr int ATTR_LABEL_TEXT = 20003; // string: control label, tree item label
inline constexpr int ATTR_ITEM_NAME = 20005;  // string: menu or menu item label
inline constexpr int ATTR_CHECKED = 20006;    // menu item check mark
inline constexpr int ATTR_TOP = 20010;        // pixels
inline constexpr int ATTR_LEFT = 20011;
inline constexpr int ATTR_WIDTH = 20012;
inline constexpr int ATTR_HEIGHT = 20013;
inline constexpr int ATTR_MIN_VALUE = 20020; // numeric (double-valued too)
inline constexpr int ATTR_MAX_VALUE = 20021;
inline constexpr int ATTR_INCR_VALUE = 20022;
inline constexpr int ATTR_DATA_TYPE = 20023;            // VAL_UNSIGNED_CHAR ... (read-only)
inline constexpr int ATTR_FORMAT = 20024;               // VAL_DECIMAL_FORMAT or VAL_HEX_FORMAT
inline constexpr int ATTR_MIN_DIGITS = 20025;           // numeric: digits shown, padded with zeros
inline constexpr int ATTR_PRECISION = 20026;            // numeric double: digits after the point
inline constexpr int ATTR_MAX_ENTRY_LENGTH = 20030;     // string: max characters (0 = no limit)
inline constexpr int ATTR_STRING_TEXT_LENGTH = 20031;   // string/text box: length (read-only)
inline constexpr int ATTR_TEXT_SELECTION_START = 20032; // string/text box
inline constexpr int ATTR_TEXT_SELECTION_LENGTH = 20033;
inline constexpr int ATTR_ON_TEXT = 20040; // string: binary switch
inline constexpr int ATTR_OFF_TEXT = 20041;
inline constexpr int ATTR_ON_VALUE = 20042;
inline constexpr int ATTR_OFF_VALUE = 20043;
inline constexpr int ATTR_INTERVAL = 20050;      // timer: seconds (double)
inline constexpr int ATTR_ENABLED = 20051;       // timer: 1 = ticking
inline constexpr int ATTR_CTRL_KIND = 20060;     // read-only: uirt::CtrlKind as int
inline constexpr int ATTR_CONSTANT_NAME = 20061; // read-only string: "SETUPPANEL_LATTIMER"

// Tree control attributes (their numbers are part of the run-time's contract).
inline constexpr int ATTR_SHOW_CONNECTION_LINES = 1525;
inline constexpr int ATTR_TREE_BGCOLOR = 1900; // VAL_TRANSPARENT or 0xRRGGBB
inline constexpr int ATTR_COLUMN_LABELS_VISIBLE = 1290;
inline constexpr int ATTR_SHOW_PLUS_MINUS = 1901;
inline constexpr int ATTR_SHOW_IMAGES = 1902;
inline constexpr int ATTR_FULL_ROW_SELECT = 1903;
inline constexpr int ATTR_ENABLE_DRAG_DROP = 1913;
inline constexpr int ATTR_FRAME_VISIBLE = 551; // any control: 0 = no frame drawn
inline constexpr int ATTR_AUTO_EXPAND = 1910;
inline constexpr int ATTR_AUTO_HSCROLL = 1911;
inline constexpr int ATTR_AUTO_VSCROLL = 1912;
inline constexpr int ATTR_SELECTION_VISIBLE = 1915; // 0 = no highlight of the current item
inline constexpr int ATTR_TYPE_TAG = 641;           // string: custom type tag ("Radio")
inline constexpr int ATTR_LABEL_LEFT = 671;         // VAL_AUTO_POSITION: run-time places it
// Tree item attributes (SetTreeItemAttribute / GetTreeItemAttribute).
inline constexpr int ATTR_MARK_TYPE = 1950;    // VAL_MARK_NONE, VAL_MARK_CHECK, VAL_MARK_RADIO
inline constexpr int ATTR_LABEL_BGCOLOR = 674; // VAL_TRANSPARENT or 0xRRGGBB
inline constexpr int ATTR_MARK_ON_LABEL_CLICK = 1954; // 1 = clicking the label marks the item
inline constexpr int ATTR_MARK_STATE = 20200;         // 0 or 1; radio marks keep exactly one marked
inline constexpr int ATTR_ITEM_HEIGHT = 20201;        // pixels
// Tree column attributes (SetTreeColumnAttribute / GetTreeColumnAttribute).
inline constexpr int ATTR_COLUMN_WIDTH = 20210; // pixels; set VAL_SIZE_TO_CONTENTS to fit labels

// Strip chart attributes.
inline constexpr int ATTR_NUM_TRACES = 20300;        // 1 to 32; a new count clears the chart
inline constexpr int ATTR_POINTS_PER_SCREEN = 20301; // 2 to 100000: points kept per trace
inline constexpr int ATTR_YAXIS_MIN = 20302;         // double; below ATTR_YAXIS_MAX
inline constexpr int ATTR_YAXIS_MAX = 20303;         // double; above ATTR_YAXIS_MIN
inline constexpr int ATTR_YAXIS_SCALING = 20304;     // VAL_MANUAL or VAL_AUTOSCALE
// Strip chart trace attributes (SetTraceAttribute / GetTraceAttribute).
inline constexpr int ATTR_TRACE_LABEL = 20310; // string
inline constexpr int ATTR_TRACE_COLOR = 20311; // 0xRRGGBB

// Print attributes (SetPrintAttribute / GetPrintAttribute).
inline constexpr int ATTR_PRINT_LINE_WIDTH = 1300; // characters per line, VAL_USE_PAGE_WIDTH
inline constexpr int ATTR_PRINT_WRAP_LINES = 1315; // 1 = wrap long lines, 0 = cut them

// ---- Attribute values ------------------------------------------------------------------------

inline constexpr int VAL_TRANSPARENT = 0x1000000;
inline constexpr int VAL_AUTO_POSITION = -32000;
inline constexpr int VAL_SIZE_TO_CONTENTS = -1;
inline constexpr int VAL_USE_PAGE_WIDTH = -1;
inline constexpr int VAL_MARK_NONE = 0;
inline constexpr int VAL_MARK_CHECK = 1;
inline constexpr int VAL_MARK_RADIO = 2;
inline constexpr int VAL_DECIMAL_FORMAT = 0;
inline constexpr int VAL_HEX_FORMAT = 1;
inline constexpr int VAL_UNSIGNED_CHAR = 1; // data types of numerics and rings
inline constexpr int VAL_INTEGER = 2;
inline constexpr int VAL_UNSIGNED_INTEGER = 3;
inline constexpr int VAL_DOUBLE = 4;
inline constexpr int VAL_STRING = 5;
inline constexpr int VAL_MANUAL = 0;    // strip chart y axis: the set range
inline constexpr int VAL_AUTOSCALE = 1; // strip chart y axis: the range of the points shown
// FileSelectPopup results.
inline constexpr int VAL_NO_FILE_SELECTED = 0;
inline constexpr int VAL_EXISTING_FILE_SELECTED = 1;
inline constexpr int VAL_NEW_FILE_SELECTED = 2;

// Tree item index meaning "every item" (SetTreeItemAttribute only).
inline constexpr int VAL_ALL_ITEMS = -2;
// GetTreeItem search: area, relative index, direction and state.
inline constexpr int VAL_ALL = 0;
inline constexpr int VAL_FIRST = -3;
inline constexpr int VAL_LAST = -4;
inline constexpr int VAL_NEXT = 1;
inline constexpr int VAL_NEXT_PLUS_SELF = 2;
inline constexpr int VAL_PREV = 3;
inline constexpr int VAL_PREV_PLUS_SELF = 4;
inline constexpr int VAL_MARKED = 1;
inline constexpr int VAL_ANY_STATE = 0;

// FakeKeystroke codes: VAL_MENUKEY_MODIFIER + upper-case letter (Ctrl+C is 0x40043).
inline constexpr int VAL_MENUKEY_MODIFIER = 0x40000;

// ---- Start-up and event loop -----------------------------------------------------------------

// Creates the front end linked into the program (Qt window or headless). Returns 1 on success,
// 0 when the front end cannot start (e.g. no display). argv (null-terminated, or null): the
// program name and options for the window system (Qt's standard options); the others are ignored.
// Calling it again while initialised returns 1 and keeps the front end.
int InitCVIRTE(void* instance, char** argv, void* reserved);
// Runs the front end's event loop until QuitUserInterface; returns the quit code.
// UIE_NOT_INITIALIZED before InitCVIRTE.
int RunUserInterface();
// Asks the running event loop to return `code` once the current callback returns.
int QuitUserInterface(int code);

// ---- Panels ----------------------------------------------------------------------------------

// Loads panel `index` (from 1) of resource file `fileName` ("KestrelUIR.uir"). parent 0 makes a
// top-level panel. Returns the new panel handle (> 0), UIE_RESOURCE_NOT_FOUND for an unknown file
// or index, UIE_BAD_PANEL for an unknown parent, UIE_NULL_POINTER for a null file name.
int LoadPanel(int parent, const char* fileName, int index);
int DisplayPanel(int panel); // shows it and makes it the active panel
int HidePanel(int panel);    // hides; values, timers and callbacks are kept
int DiscardPanel(int panel); // removes it and its child panels; handles become invalid
int SetActivePanel(int panel);
int GetActivePanel(); // 0 when none

// ---- Control callbacks and values ------------------------------------------------------------

int InstallCtrlCallback(int panel, int control, CtrlCallbackPtr callback, void* callbackData);
// Calls the control's callback with this event as if the user had raised it (nothing happens
// when it has none). 0, or UIE_BAD_PANEL / UIE_BAD_CONTROL.
int CallCtrlCallback(int panel, int control, int event, int eventData1, int eventData2);

// Program writes: raise no event. Numerics coerce to their data type and clamp to their range;
// strings are cut to their maximum length; setting a text box's value APPENDS to its text;
// a ring selects the item with that value (UIE_ITEM_NOT_FOUND otherwise); check box, switch
// and LED take 0/1 (switch: its on/off values). Wrong kind for the value: UIE_BAD_VALUE.
int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, unsigned value);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, const char* value);
// Replaces the whole text of a text box.
int ResetTextBox(int panel, int control, const char* text);

// Reads: numerics and rings (the selected item's value; UIE_BAD_INDEX when empty), check box,
// switch, LED. int/unsigned reads of 32-bit values keep the bit pattern.
int GetCtrlVal(int panel, int control, int* value);
int GetCtrlVal(int panel, int control, unsigned* value);
int GetCtrlVal(int panel, int control, unsigned char* value);
int GetCtrlVal(int panel, int control, double* value);
// Text of a string, text box, text message (ring: the selected label). Copies at most size-1
// characters plus the terminator; returns UIE_BUFFER_TOO_SMALL when the text was cut.
int GetCtrlVal(int panel, int control, char* value, std::size_t size);
template <std::size_t N> int GetCtrlVal(int panel, int control, char (&value)[N]) {
    return GetCtrlVal(panel, control, value, N);
}

int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, unsigned value);
int SetCtrlAttribute(int panel, int control, int attribute, double value);
int SetCtrlAttribute(int panel, int control, int attribute, const char* value);
int GetCtrlAttribute(int panel, int control, int attribute, int* value);
int GetCtrlAttribute(int panel, int control, int attribute, double* value);
int GetCtrlAttribute(int panel, int control, int attribute, char* value, std::size_t size);
template <std::size_t N>
int GetCtrlAttribute(int panel, int control, int attribute, char (&value)[N]) {
    return GetCtrlAttribute(panel, control, attribute, value, N);
}

// Gives the control the keyboard focus (and makes its panel the active one when visible).
int SetActiveCtrl(int panel, int control);
int GetActiveCtrl(int panel); // control constant, 0 when none, or a negative error

// ---- Rings and trees (list items) ------------------------------------------------------------

// index -1 appends. Rings and trees; a tree item's value is ignored but kept.
int InsertListItem(int panel, int control, int index, const char* label, int value);
int InsertListItem(int panel, int control, int index, const char* label, unsigned value);
int InsertListItem(int panel, int control, int index, const char* label, double value);
int ClearListCtrl(int panel, int control);
int GetNumListItems(int panel, int control, int* count);
int GetCtrlIndex(int panel, int control, int* index); // selected item, -1 when empty
int GetLabelFromIndex(int panel, int control, int index, char* label, std::size_t size);

// Tree items: index from 0, or VAL_ALL_ITEMS for SetTreeItemAttribute.
int SetTreeItemAttribute(int panel, int control, int index, int attribute, int value);
int GetTreeItemAttribute(int panel, int control, int index, int attribute, int* value);
int SetTreeColumnAttribute(int panel, int control, int column, int attribute, int value);
int GetTreeColumnAttribute(int panel, int control, int column, int attribute, int* value);
// Searches the items of a flat tree from relativeIndex (an index, VAL_FIRST or VAL_LAST) in
// `direction` for the first item in `state` (VAL_MARKED or VAL_ANY_STATE); area must be VAL_ALL.
// Returns 0 and the index, -1 when none matches.
int GetTreeItem(int panel, int control, int area, int parentIndex, int relativeIndex, int direction,
                int state, int* index);

// ---- Strip charts ----------------------------------------------------------------------------

// Adds points to a strip chart: `values` holds the points in order, one value per trace per
// point (trace 1 first). Each trace keeps its newest ATTR_POINTS_PER_SCREEN points. Returns 0;
// UIE_BAD_CONTROL for a control that is no strip chart; UIE_BAD_VALUE, storing nothing, when
// numberOfValues is negative or no multiple of the trace count or a value is not finite.
int PlotStripChart(int panel, int control, const double* values, int numberOfValues);
// Removes every point of every trace.
int ClearStripChart(int panel, int control);
// Trace attributes; traces are numbered from 1 (UIE_BAD_INDEX otherwise).
int SetTraceAttribute(int panel, int control, int trace, int attribute, int value);
int SetTraceAttribute(int panel, int control, int trace, int attribute, const char* value);
int GetTraceAttribute(int panel, int control, int trace, int attribute, int* value);
int GetTraceAttribute(int panel, int control, int trace, int attribute, char* value,
                      std::size_t size);
template <std::size_t N>
int GetTraceAttribute(int panel, int control, int trace, int attribute, char (&value)[N]) {
    return GetTraceAttribute(panel, control, trace, attribute, value, N);
}

// ---- Menu bars -------------------------------------------------------------------------------

int GetPanelMenuBar(int panel); // menu bar handle (> 0), 0 when the panel has none, or < 0
int InstallMenuCallback(int menuBar, int menuItem, MenuCallbackPtr callback, void* callbackData);
int InstallMenuDimmerCallback(int menuBar, MenuDimmerCallbackPtr callback);
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value);
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const char* value);
// Shows `menu` of the bar as a pop-up on `panel` at (top, left) in panel pixels; the dimmer
// runs first. The chosen item's callback runs; returns its item constant, 0 when dismissed.
// The pin arguments are accepted and ignored.
int RunPopupMenu(int menuBar, int menu, int panel, int top, int left, int pinTop, int pinLeft,
                 int pinWidth, int pinHeight);

// ---- Popups, mouse, keyboard, clipboard, printing, help --------------------------------------

// Modal message box; returns 0 once the user dismisses it.
int MessagePopup(const char* title, const char* message);
// Modal Yes/No box; returns 1 for Yes, 0 for No, or a negative error. Yes is the default button.
int ConfirmPopup(const char* title, const char* message);
// The same with the default button given: 1 Yes, 0 No (for a destructive action).
int ConfirmPopup(const char* title, const char* message, int defaultAnswer);
// Shows the busy pointer over the program's windows (1) or the normal pointer again (0), for
// work that holds up the event loop. Returns 0.
int SetWaitCursor(int state);
int GetWaitCursor(); // 1 while the busy pointer is shown
// Mouse position relative to the control's panel area (pointer arguments may be null).
int GetRelativeMouseState(int panel, int control, int* x, int* y, int* leftButton, int* rightButton,
                          int* keyModifiers);
// Sends a keystroke to the active control of the active panel, as if typed. Ctrl+C, Ctrl+X and
// Ctrl+V copy, cut and paste the text of a string or text box through the clipboard; other keys
// and unsuitable controls have no effect.
int FakeKeystroke(int keyCode);
// Whether the clipboard holds text (the text itself is not fetched).
int ClipboardHasText(int* available);
int SetPrintAttribute(int attribute, int value);
// Prints plain text with the print attributes. An empty or null outputFile sends it to the
// printer through the platform's print dialog (UIE_PRINT_CANCELLED when the user cancels it);
// otherwise the text is written to that file.
int PrintTextBuffer(const char* buffer, const char* outputFile);
// Modal file selection: a file to open (an existing one) or to save (forSaving != 0), starting
// in defaultDirectory ("" = the working directory) with defaultFileName, offering the files that
// match fileTypeFilter ("*.csv" or "*.csv;*.txt"; "" = all files). The chosen path is copied
// into pathName; one that does not fit leaves pathName empty and returns UIE_BUFFER_TOO_SMALL
// (a cut path would name another file). Returns VAL_NO_FILE_SELECTED (cancelled; pathName
// empty), VAL_EXISTING_FILE_SELECTED or VAL_NEW_FILE_SELECTED, or a negative UIE_ code.
int FileSelectPopup(const char* defaultDirectory, const char* defaultFileName,
                    const char* fileTypeFilter, const char* title, int forSaving, char* pathName,
                    int pathNameSize);
// Opens the help window on an HTML page (relative to the working directory, optionally
// "file::/topic"). Returns a window id > 0, or 0 when it cannot be shown.
int ShowHelpWindow(const char* path);

// ---- Long work (progress box and Stop) -------------------------------------------------------
#include "platform/uirt/model/progress.h"
