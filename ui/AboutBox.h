// Help > About: the about box with the version of the USB library Kestrel runs with.
#pragma once

struct CorvoUsbVersionRecord;

// Size of each version text TVersionInfo writes: four numbers of up to five digits, three
// points and the terminator.
enum { VERSION_TEXT_SIZE = 24 };
// The name under which the USB library linked into Kestrel answers for its version record.
inline constexpr const char USB_LIBRARY_NAME[] = "libcorvousb";

// Writes the about box's version line: Kestrel's own version, then the USB library's.
void FormatVersionLine(char* line, int size);
// Fills the version line and shows the about box.
void AboutCB(int menuBar, int menuItem, void* callbackData, int panel);
// The about box's OK button: hides the box (it stays loaded for the next time).
int CloseAboutWinCB(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
// File and product version ("1.0.0.67") of the named library; "X.X.X.X" for both when its
// version record cannot be had. Each out-buffer holds at least VERSION_TEXT_SIZE characters.
void TVersionInfo(char* fileVersion, char* productVersion, const char* libraryName);
// The two texts of a version record; null gives "X.X.X.X" for both.
void FormatVersionRecord(const CorvoUsbVersionRecord* record, char* fileVersion,
                         char* productVersion);
