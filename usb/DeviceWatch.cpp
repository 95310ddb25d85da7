// The device events' descriptor in the event loop; a broken source ends the watch, said once.
#include "usb/DeviceWatch.h"

#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/watch.h"
#include "ui/BoardRemoval.h"
#include "ui/Output.h"
#include "usb/BoardReturn.h"

namespace {

int watchId = 0;

void EndWatch() {
    if (watchId > 0) uirt::UnwatchDescriptor(watchId);
    watchId = 0;
    USB_CloseDeviceEvents();
    SetBoardRemovalHandler(nullptr);
}

// Kestrel goes on without events: only the user's scan refreshes the list from now on.
void WatchLost() {
    EndWatch();
    InfoPrintf("Boards coming and going are no longer followed (no device events): the device list "
               "changes only on \"Scan USB bus\".\n");
}

void OnDeviceEvents() {
    const int taken = USB_TakeDeviceEvents();
    if (taken < 0) WatchLost();
    if (taken > 0) BusChanged();
}

} // namespace

void StartDeviceWatch(void) {
    const int fd = USB_OpenDeviceEvents();
    watchId = fd < 0 ? -1 : uirt::WatchDescriptor(fd, OnDeviceEvents);
    if (watchId <= 0) {
        WatchLost();
        return;
    }
    SetBoardRemovalHandler(BoardRemovedInUse);
}

void StopDeviceWatch(void) {
    EndWatch();
}
