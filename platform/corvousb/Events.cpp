// API: the device events that tell the caller's event loop when boards came or went.
#include "platform/corvousb/Library.h"

using namespace corvousb;

int USB_OpenDeviceEvents(void) {
    Library& lib = Lib();
    if (!lib.events) lib.events = lib.eventSource ? lib.eventSource() : nullptr;
    return lib.events ? lib.events->fd() : FailWith(CORVOUSB_ERR_IO);
}

int USB_TakeDeviceEvents(void) {
    Library& lib = Lib();
    const int taken = lib.events ? lib.events->take() : -1;
    if (taken >= 0) return taken;
    lib.events.reset();
    return FailWith(CORVOUSB_ERR_IO);
}

void USB_CloseDeviceEvents(void) {
    Lib().events.reset();
}
