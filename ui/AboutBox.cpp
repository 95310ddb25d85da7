// Help > About: the about box with the version of the USB library Kestrel runs with.
#include "ui/AboutBox.h"

#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/About.h"
#include "ui/Panels.h"

#include <cstdio>
#include <cstring>

// Kestrel's own file and product version, shown at the start of the version line.
static const char BUILT_IN_VERSION[] = "F1.0.0.67P2.0.0.56";

// The library is linked in, so its version record is read directly; a name that is not the
// linked library's has no record.
static const CorvoUsbVersionRecord* FindVersionRecord(const char* libraryName) {
    if (libraryName == nullptr || std::strcmp(libraryName, USB_LIBRARY_NAME) != 0) return nullptr;
    return &CorvoUsb_VersionRecord;
}

static void FormatVersion(char* text, const unsigned short version[4]) {
    std::snprintf(text, VERSION_TEXT_SIZE, "%d.%d.%d.%d", version[0], version[1], version[2],
                  version[3]);
}

void FormatVersionRecord(const CorvoUsbVersionRecord* record, char* fileVersion,
                         char* productVersion) {
    if (record == nullptr) {
        std::snprintf(fileVersion, VERSION_TEXT_SIZE, "X.X.X.X");
        std::snprintf(productVersion, VERSION_TEXT_SIZE, "X.X.X.X");
        return;
    }
    FormatVersion(fileVersion, record->fileVersion);
    FormatVersion(productVersion, record->productVersion);
}

void TVersionInfo(char* fileVersion, char* productVersion, const char* libraryName) {
    FormatVersionRecord(FindVersionRecord(libraryName), fileVersion, productVersion);
}

void FormatVersionLine(char* line, int size) {
    char fileVersion[64];
    char productVersion[64];
    TVersionInfo(fileVersion, productVersion, USB_LIBRARY_NAME);
    std::snprintf(line, static_cast<std::size_t>(size), "%s - CorvoUsb 2.0 File v%s - Product v%s",
                  BUILT_IN_VERSION, fileVersion, productVersion);
}

void AboutCB(int, int, void*, int) {
    char line[1024];
    FormatVersionLine(line, sizeof line);
    SetCtrlVal(GetAboutPanelHandle(), ABOUTPANEL_VERSION_TXT, line);
    DisplayPanel(GetAboutPanelHandle());
}

int CloseAboutWinCB(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) HidePanel(GetAboutPanelHandle());
    return 0;
}
