// File > Print: prints the whole text of the information box.
#include "ui/PrintBox.h"

#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

#include <cstdlib>

void PrintCB(int, int, void*, int panel) {
    int length = 0;
    GetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_STRING_TEXT_LENGTH, &length);
    if (length <= 0) return;
    std::size_t size = static_cast<std::size_t>(length) + 1;
    char* text = static_cast<char*>(std::malloc(size));
    if (text == nullptr) return;
    GetCtrlVal(panel, MAINPANEL_INFOTEXTBOX, text, size);
    text[length] = '\0';
    // Lines as long as the page is wide, long lines wrapped rather than cut.
    SetPrintAttribute(ATTR_PRINT_LINE_WIDTH, VAL_USE_PAGE_WIDTH);
    SetPrintAttribute(ATTR_PRINT_WRAP_LINES, 1);
    PrintTextBuffer(text, "");
    std::free(text);
}
