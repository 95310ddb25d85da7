// The version texts of the about box, the help loader and the links between the help pages.
#include <gtest/gtest.h>

#include "platform/corvousb/CorvoUsb.h"
#include "ui/AboutBox.h"
#include "ui/Help.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Fails when the version words are taken in the wrong order, or a missing record does not read
// "X.X.X.X", or the widest version does not fit.
TEST(VersionInfo, RecordWordsAndMissingRecord) {
    char file[64], product[64];
    const CorvoUsbVersionRecord widest = {{65535, 65535, 65535, 1}, {2, 0, 0, 50}};
    std::string seen;
    for (const char* library : {"", "libnotcorvousb", USB_LIBRARY_NAME}) {
        *library ? TVersionInfo(file, product, library)
                 : FormatVersionRecord(&widest, file, product);
        seen += std::string(file) + " " + product + " ";
    }
    EXPECT_EQ(seen, "65535.65535.65535.1 2.0.0.50 X.X.X.X X.X.X.X 1.0.0.67 2.0.0.56 ");
}

int loads = 0, shows = 0;
bool failLoad = false;
int CountingEntry(int owner, const char* path, int command, int data) {
    EXPECT_EQ(std::tuple(owner, std::string(path), command, data),
              std::tuple(0, "Help\\KestrelHelp.chm::/index.html", 0, 0));
    return ++shows;
}
HelpViewerEntry Loader() {
    ++loads;
    return failLoad ? nullptr : CountingEntry;
}

// Fails when the viewer is loaded more than once, or a failed load is tried again.
TEST(HelpLoader, LoadsOnceAndRemembersAFailure) {
    const char* index = "Help\\KestrelHelp.chm::/index.html";
    SetHelpViewerLoader(Loader);
    std::vector<int> seen{HelpStart(index), HelpStart(index), loads};
    failLoad = true;
    SetHelpViewerLoader(Loader);
    seen.insert(seen.end(),
                {HelpStart(index), HtmlHelpA(0, "Help\\CorvoUsbHelp.chm::/index.html", 0, 0), loads,
                 shows});
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 0, 0, 2, 2}));
    SetHelpViewerLoader(nullptr);
}

// Fails when a link or picture of a help page points to a missing file or anchor, or a page is
// reachable from no other page.
TEST(HelpPages, EveryLinkResolves) {
    const fs::path root = fs::path(KESTREL_SOURCE_DIR) / "Help";
    const std::regex reference(R"#((href|src)="([^"]*)")#");
    std::set<fs::path> pages, linked;
    std::string broken;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".html") continue;
        const fs::path page = fs::canonical(entry.path());
        pages.insert(page);
        std::ifstream in(page);
        const std::string html((std::istreambuf_iterator<char>(in)), {});
        for (std::sregex_iterator m(html.begin(), html.end(), reference), end; m != end; ++m) {
            std::string target = (*m)[2];
            if (target.starts_with("http:") || target.starts_with("https:")) continue;
            std::string anchor;
            if (size_t hash = target.find('#'); hash != std::string::npos) {
                anchor = target.substr(hash + 1);
                target.erase(hash);
            }
            const fs::path file = target.empty() ? page : page.parent_path() / target;
            std::ifstream t(file);
            const std::string text((std::istreambuf_iterator<char>(t)), {});
            if (fs::is_regular_file(file) && fs::canonical(file) != page)
                linked.insert(fs::canonical(file));
            if (!fs::is_regular_file(file) ||
                (!anchor.empty() && text.find("name=\"" + anchor + "\"") == std::string::npos))
                broken += page.filename().string() + " -> " + (*m)[2].str() + "\n";
        }
    }
    EXPECT_EQ(broken, "");
    EXPECT_GE(pages.size(), 15u);
    for (const fs::path& page : pages)
        EXPECT_TRUE(linked.count(page)) << page << " is linked from no other page";
}

} // namespace
