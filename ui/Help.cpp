// Help menu: the program's and the USB library's help pages, shown by a viewer loaded on first use.
#include "ui/Help.h"

#include "ui/HelpViewer.h"

#include "platform/uirt/model/uirt.h"

#include <cstdio>

static const char CONTENTS_PATH[] = "Help\\KestrelHelp.chm::/index.html";
static const char CORVOUSB_HELP_PATH[] = "Help\\CorvoUsbHelp.chm::/index.html";

// The viewer is loaded once; a failed load is remembered so later requests fail at once.
static struct {
    HelpViewerLoader loader;
    HelpViewerEntry entry;
    int failed;
} HelpLibrary = {LoadHelpViewer, nullptr, 0};

void HelpContents(int, int, void*, int) {
    HelpStart(CONTENTS_PATH);
}

void HelpCorvoUsb(int, int, void*, int) {
    HelpStart(CORVOUSB_HELP_PATH);
}

int HelpStart(const char* path) {
    int window = HtmlHelpA(0, path, 0, 0);
    if (window == 0) {
        char page[1024];
        HelpPageName(path, page, sizeof page);
        char message[1280];
        snprintf(message, sizeof message,
                 "The help page %s could not be shown: it is missing, not a regular file or "
                 "larger than %d MiB.",
                 page, HELP_PAGE_MAX_BYTES >> 20);
        MessagePopup("Help", message);
    }
    return window;
}

int HtmlHelpA(int owner, const char* path, int command, int data) {
    if (HelpLibrary.entry == nullptr) {
        if (HelpLibrary.failed) return 0;
        HelpLibrary.entry = HelpLibrary.loader();
        if (HelpLibrary.entry == nullptr) {
            HelpLibrary.failed = 1;
            return 0;
        }
    }
    return HelpLibrary.entry(owner, path, command, data);
}

void SetHelpViewerLoader(HelpViewerLoader loader) {
    HelpLibrary.loader = loader != nullptr ? loader : LoadHelpViewer;
    HelpLibrary.entry = nullptr;
    HelpLibrary.failed = 0;
}
