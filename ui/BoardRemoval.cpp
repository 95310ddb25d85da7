// The hook through which a board's removal reaches the hot-plug watch.
#include "ui/BoardRemoval.h"

#include "platform/corvousb/CorvoUsb.h"

static int (*RemovalHandler)(void) = nullptr;

void SetBoardRemovalHandler(int (*handler)(void)) {
    RemovalHandler = handler;
}

int BoardRemovalHandled(void) {
    return RemovalHandler != nullptr && USB_GetLastError() == CORVOUSB_ERR_DEVICE_REMOVED &&
           RemovalHandler() != 0;
}
