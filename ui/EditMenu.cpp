// The Edit menu of the information box: clipboard commands, select all and the pop-up menu.
#include "ui/EditMenu.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

int InfoTextBoxCB(int, int, int event, void*, int, int) {
    if (event == EVENT_RIGHT_CLICK) RunEditPopupMenu();
    return 0;
}

void RunEditPopupMenu(void) {
    int panel = GetMainPanelHandle();
    int x = 0;
    int y = 0;
    GetRelativeMouseState(panel, MAINPANEL_INFOTEXTBOX, &x, &y, nullptr, nullptr, nullptr);
    RunPopupMenu(GetPanelMenuBar(panel), MENUBAR_EDIT, panel, y, x, 0, 0, 0, 0);
}

void EditCB(int, int menuItem, void*, int) {
    switch (menuItem) {
    case MENUBAR_EDIT_PASTE:
        CBPasteText();
        break;
    case MENUBAR_EDIT_CUT:
        CBCutText();
        break;
    case MENUBAR_EDIT_COPY:
        CBCopyText();
        break;
    case MENUBAR_EDIT_SELALL:
        CBSelectAll();
        break;
    default:
        break;
    }
}

int CBPasteText(void) {
    return FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
}

int CBCopyText(void) {
    return FakeKeystroke(VAL_MENUKEY_MODIFIER | 'C');
}

int CBCutText(void) {
    return FakeKeystroke(VAL_MENUKEY_MODIFIER | 'X');
}

int CBSelectAll(void) {
    int panel = GetMainPanelHandle();
    int length = 0;
    SetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_TEXT_SELECTION_START, 0);
    GetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_STRING_TEXT_LENGTH, &length);
    return SetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_TEXT_SELECTION_LENGTH, length);
}
