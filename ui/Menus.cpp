// The main window's menu bar: the Edit menu's dimmer and the two ways to quit.
#include "ui/Menus.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

void MenuDimmerCB(int menuBar, int panel) {
    int clipboardHasText = 0;
    int length = 0;
    int selection = 0;
    ClipboardHasText(&clipboardHasText);
    GetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_STRING_TEXT_LENGTH, &length);
    GetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_TEXT_SELECTION_LENGTH, &selection);
    SetMenuBarAttribute(menuBar, MENUBAR_EDIT_PASTE, ATTR_DIMMED, clipboardHasText == 0);
    SetMenuBarAttribute(menuBar, MENUBAR_EDIT_SELALL, ATTR_DIMMED, length == 0);
    SetMenuBarAttribute(menuBar, MENUBAR_EDIT_COPY, ATTR_DIMMED, selection == 0);
    SetMenuBarAttribute(menuBar, MENUBAR_EDIT_CUT, ATTR_DIMMED, selection == 0);
}

void ExitCB(int, int, void*, int) {
    QuitUserInterface(0);
}

int ExitAppCB(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) QuitUserInterface(0);
    return 0;
}
