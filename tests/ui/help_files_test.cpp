// Help pages that cannot be shown: named to the user, and never read when they are no page.
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Help.h"
#include "ui/HelpViewer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
namespace hl = uirt::headless;

// Fails when F1 without help pages says nothing or does not name the page, or a FIFO, a device
// or a huge file reaches the help window while a small page does not.
TEST(HelpFiles, MissingPagesAreNamedAndOnlySmallRegularFilesShown) {
    hl::Reset();
    ASSERT_EQ(InitCVIRTE(nullptr, nullptr, nullptr), 1);
    SetHelpViewerLoader([]() -> HelpViewerEntry { return nullptr; });
    HelpContents(0, 0, nullptr, 0);
    ASSERT_EQ(hl::Popups().size(), 1u);
    EXPECT_EQ(hl::Popups()[0].title, "Help");
    EXPECT_NE(hl::Popups()[0].text.find("Help/KestrelHelp/index.html"), std::string::npos)
        << hl::Popups()[0].text;
    SetHelpViewerLoader(nullptr);

    const fs::path dir = fs::temp_directory_path() / ("kestrel_help_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path page = dir / "page.html", huge = dir / "huge.html", fifo = dir / "fifo.html";
    std::ofstream(page) << "<html><body>Loop mode</body></html>";
    std::ofstream(huge).close();
    fs::resize_file(huge, std::uintmax_t{2} << 30); // sparse: no disk used
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& refused : {huge, fifo, fs::path("/dev/zero"), dir / "missing.html"})
        EXPECT_EQ(ShowHelpFile(refused.c_str()), 0) << refused;
    EXPECT_GT(ShowHelpFile(page.c_str()), 0);
    EXPECT_EQ(hl::HelpRequests(), std::vector<std::string>{page.string()});
    fs::remove_all(dir);
    hl::Reset();
}
