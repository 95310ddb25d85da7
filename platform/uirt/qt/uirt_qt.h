// Qt 6 Widgets front end of the user-interface run-time: what tests and tools may reach.
//
// Linking uirt_qt makes InitCVIRTE build real windows: one top-level window per panel, one
// widget per control, mirrored from the model without raising events; user input goes back
// through the model's input API. These lookups let tests and the screenshot tool find the
// widgets; they return null when the front end in use is not this one or the panel, control
// or item does not exist. Widgets are owned by their panel window; do not delete them.
#pragma once

#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace uirt::qt {

class TickTimer;

// The panel's top-level window (menu bar above the panel area when it has one).
QWidget* PanelWindow(int panel);
// The widget showing the control; null for a timer (it has no widget).
QWidget* ControlWidget(int panel, int control);
// The separate label drawn next to a control (numeric, string, ring, LED...), or null.
QWidget* ControlLabel(int panel, int control);
// The action of a menu (its QMenu's menuAction) or menu item of a menu bar.
QAction* MenuAction(int menuBar, int menuOrItem);
// The drop-down of a menu of a menu bar.
QMenu* MenuOf(int menuBar, int menu);
// The timer driving a timer control.
TickTimer* TimerOf(int panel, int control);
// Inserts every text still queued for the text boxes (appends are shown at most
// TextBox::kFlushIntervalMs after they are queued).
void FlushTextBoxes();
// Renders the panel's window (laid out at its size, shown or not) into a PNG file.
// Returns false when the panel does not exist or the file cannot be written.
bool SavePanelImage(int panel, const QString& fileName);

} // namespace uirt::qt
