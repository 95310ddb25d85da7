// The library's version record, read by an About box.
#include "platform/corvousb/CorvoUsb.h"

extern "C" const CorvoUsbVersionRecord CorvoUsb_VersionRecord = {{1, 0, 0, 67}, {2, 0, 0, 56}};
