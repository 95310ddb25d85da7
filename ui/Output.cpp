// InfoPrintf and Kestrel_PrintError: the information box and the "USB Error" box.
#include "ui/Output.h"

#include "core/Kestrel_core.h"
#include "core/RunEvents.h"
#include "platform/uirt/model/uirt.h"
#include "ui/BoardRemoval.h"
#include "ui/KestrelUIR.h"
#include "ui/LoopTimer.h"
#include "ui/Panels.h"

#include <cstdarg>
#include <cstdio>

// Every message of the program fits in 131 characters; longer output is cut, never overrun.
enum { INFO_BUFFER_SIZE = 132 };

int InfoPrintf(const char* format, ...) {
    char buffer[INFO_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) buffer[0] = '\0';
    return SetCtrlVal(GetMainPanelHandle(), MAINPANEL_INFOTEXTBOX, buffer);
}

void Kestrel_PrintError(const char* text) {
    if (BoardRemovalHandled()) return;
    MessagePopup("USB Error", text);
    StopTimer();
    SetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_LOOPCHECKBOX, 0);
    SetLoopState(0);
    runevents::Emit(runevents::Kind::LibraryError, text != nullptr ? text : "");
}
