// The help viewer on this platform: the HTML help pages shown in the run-time's help window.
#include "ui/HelpViewer.h"

#include "platform/uirt/model/uirt.h"
#include "ui/HelpFolder.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

// The folder that holds "Help", found by LoadHelpViewer.
static fs::path HelpBase;

// "Help\\KestrelHelp.chm::/index.html" names the page "Help/KestrelHelp/index.html": each
// compiled help file is a folder of pages, the topic a page in it.
static std::string PagePath(const char* path) {
    std::string file = path;
    for (char& c : file)
        if (c == '\\') c = '/';
    std::string topic;
    if (std::size_t sep = file.find("::"); sep != std::string::npos) {
        topic = file.substr(sep + 2);
        file.erase(sep);
        if (file.ends_with(".chm")) file.erase(file.size() - 4);
    }
    return (HelpBase / (file + topic)).lexically_normal().string();
}

void HelpPageName(const char* path, char* name, size_t size) {
    snprintf(name, size, "%s", PagePath(path).c_str());
}

int ShowHelpFile(const char* file) {
    struct stat st;
    // A device, a FIFO or a huge file would hang the window or fill the memory.
    if (stat(file, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > HELP_PAGE_MAX_BYTES) return 0;
    return ShowHelpWindow(file);
}

// Command 0 shows the topic; the owner and data mean nothing to the run-time's help window.
static int ShowHelpPage(int, const char* path, int command, int) {
    if (path == nullptr || command != 0) return 0;
    return ShowHelpFile(PagePath(path).c_str());
}

HelpViewerEntry LoadHelpViewer(void) {
    HelpBase = FindProgramHelpBase();
    return HelpBase.empty() ? nullptr : ShowHelpPage;
}
