// Device discovery and connection: the device list, the serial number and the open handle.
#pragma once

// Slots of the description table: device indices 0 to 7 can be listed.
enum { DEVICE_SLOTS = 8, DEVICE_SLOT_SIZE = 256 };

// Lists device `index` in the setup panel's device list; shows it when it is the configured one.
void GetCompatibleUsbDevices(int index);
// Empties the device list and lists every device on the bus again; open devices stay open.
void ListUsbDevices(void);
// Index of the first device described like the configured description (its serial number is
// stored), or the number of devices when none is. `buffer` (at least 256 bytes) is scratch.
int FindUsbDevice(char* buffer);
// Takes the device list's selected item as the chosen device; leaves the panel disconnected.
void UpdateDevList(void);
void SetUsbDeviceName(const char* description);
void UpdateDeviceInfo(const char* description, const char* serNum);
// Closes, opens and initialises the configured device; errors go through USB_Perror.
void InitUsbInterface(void);

// Opens the library's debug log; when it cannot, says so once in the information box.
void OpenDebugLog(void);

int CmdRefreshCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
int UsbDevListCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
int ResetCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int DisconnectCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
int SerNumCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
