// The about box's version line and the help menu with its loader and pages.
#include "tests/app/kestrel_session.h"

#include "platform/corvousb/CorvoUsb.h"
#include "ui/About.h"
#include "ui/AboutBox.h"
#include "ui/Help.h"
#include "ui/KestrelUIR.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

class AboutHelp : public KestrelSession {
  protected:
    void TearDown() override {
        SetHelpViewerLoader(nullptr);
        KestrelSession::TearDown();
    }
};

// Fails when the about line is not built from the linked library's version record, or OK does
// not hide the box.
TEST_F(AboutHelp, AboutBoxShowsTheLibraryVersion) {
    AddBoard("Lab board", "LAB00001");
    bool shownByAbout = false, shownAfterOk = true;
    std::string line;
    Then([&] {
        hl::ChooseMenuItem(MenuBar(), MENUBAR_HELPMENU_ABOUT);
        int about = GetAboutPanelHandle();
        shownByAbout = hl::IsPanelVisible(about);
        line = hl::Text(about, ABOUTPANEL_VERSION_TXT);
        hl::Press(about, ABOUTPANEL_ABOUT_CLOSE);
        shownAfterOk = hl::IsPanelVisible(about);
    });
    Run();
    EXPECT_TRUE(shownByAbout);
    EXPECT_FALSE(shownAfterOk);
    EXPECT_EQ(line, "F1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File v1.0.0.67 - Product v2.0.0.56");
}

// Fails when the version words are taken in the wrong order, or a missing record does not read
// "X.X.X.X", or the widest version does not fit.
TEST(VersionInfo, RecordWordsAndMissingRecord) {
    char file[64], product[64];
    const CorvoUsbVersionRecord known = {{1, 0, 2, 1}, {2, 0, 0, 50}};
    FormatVersionRecord(&known, file, product);
    EXPECT_STREQ(file, "1.0.2.1");
    EXPECT_STREQ(product, "2.0.0.50");
    const CorvoUsbVersionRecord widest = {{65535, 65535, 65535, 65535}, {0, 0, 0, 0}};
    FormatVersionRecord(&widest, file, product);
    EXPECT_STREQ(file, "65535.65535.65535.65535");
    EXPECT_STREQ(product, "0.0.0.0");
    TVersionInfo(file, product, "libnotcorvousb");
    EXPECT_STREQ(file, "X.X.X.X");
    EXPECT_STREQ(product, "X.X.X.X");
    TVersionInfo(file, product, USB_LIBRARY_NAME);
    EXPECT_STREQ(file, "1.0.0.67");
    EXPECT_STREQ(product, "2.0.0.56");
}

int loads = 0;
int shows = 0;
int CountingEntry(int owner, const char* path, int command, int data) {
    EXPECT_EQ(owner, 0);
    EXPECT_STREQ(path, "Help\\KestrelHelp.chm::/index.html");
    EXPECT_EQ(command, 0);
    EXPECT_EQ(data, 0);
    return ++shows;
}
HelpViewerEntry CountingLoader() {
    ++loads;
    return CountingEntry;
}
HelpViewerEntry FailingLoader() {
    ++loads;
    return nullptr;
}

// Fails when the viewer is loaded more than once, or a failed load is tried again.
TEST(HelpLoader, LoadsOnceAndRemembersAFailure) {
    loads = shows = 0;
    SetHelpViewerLoader(CountingLoader);
    EXPECT_EQ(HelpStart("Help\\KestrelHelp.chm::/index.html"), 1);
    EXPECT_EQ(HelpStart("Help\\KestrelHelp.chm::/index.html"), 2);
    EXPECT_EQ(loads, 1);
    loads = shows = 0;
    SetHelpViewerLoader(FailingLoader);
    EXPECT_EQ(HelpStart("Help\\KestrelHelp.chm::/index.html"), 0);
    EXPECT_EQ(HelpStart("Help\\KestrelHelp.chm::/index.html"), 0);
    EXPECT_EQ(HtmlHelpA(0, "Help\\CorvoUsbHelp.chm::/index.html", 0, 0), 0);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(shows, 0);
    SetHelpViewerLoader(nullptr);
}

// Fails when the Help menu does not open the two help pages, or they are not found from a
// working directory elsewhere.
TEST_F(AboutHelp, HelpMenuOpensBothHelpPages) {
    AddBoard("Lab board", "LAB00001");
    Then([] {
        hl::ChooseMenuItem(MenuBar(), MENUBAR_HELPMENU_HLP_CNTNT);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_HELPMENU_CORVOUSB);
    });
    Run();
    ASSERT_EQ(hl::HelpRequests().size(), 2u);
    const fs::path contents = hl::HelpRequests()[0];
    const fs::path library = hl::HelpRequests()[1];
    EXPECT_TRUE(contents.string().ends_with("Help/KestrelHelp/index.html")) << contents;
    EXPECT_TRUE(library.string().ends_with("Help/CorvoUsbHelp/index.html")) << library;
    EXPECT_TRUE(fs::is_regular_file(contents)) << contents;
    EXPECT_TRUE(fs::is_regular_file(library)) << library;
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
            std::string text;
            if (fs::is_regular_file(file)) {
                std::ifstream t(file);
                text.assign(std::istreambuf_iterator<char>(t), {});
                if (fs::canonical(file) != page) linked.insert(fs::canonical(file));
            }
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
