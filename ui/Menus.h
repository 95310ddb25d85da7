// The main window's menu bar: the Edit menu's dimmer and the two ways to quit.
#pragma once

// Dims the Edit items by the clipboard and the information box's text and selection.
void MenuDimmerCB(int menuBar, int panel);
// File menu "Exit" and the main panel's "Exit" button: leave the event loop.
void ExitCB(int menuBar, int menuItem, void* callbackData, int panel);
int ExitAppCB(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
