// The Edit menu of the information box: clipboard commands, select all and the pop-up menu.
#pragma once

// Information box callback: a right click opens the Edit menu as a pop-up.
int InfoTextBoxCB(int panel, int control, int event, void* callbackData, int eventData1,
                  int eventData2);
// Runs the menu bar's Edit menu as a pop-up on the main panel at the mouse.
void RunEditPopupMenu(void);
// Edit menu items: paste, cut, copy or select all.
void EditCB(int menuBar, int menuItem, void* callbackData, int panel);

// Clipboard commands, sent as the usual keystrokes to the control that has the focus. Each
// returns the status of its platform call.
int CBPasteText(void);
int CBCopyText(void);
int CBCutText(void);
// Selects the whole text of the information box.
int CBSelectAll(void);
