// Where the help pages are found: beside the executable, in the installed data folder, in the
// source tree; and --help-pages, which prints the folder found.
#include "ui/HelpFolder.h"

#include "packaging_support.h"

#include <gtest/gtest.h>

#include <string>

namespace fs = std::filesystem;

namespace {

// Fails when a place that holds the pages is skipped, or the order build copy, installed data
// folder, source tree is broken.
TEST(HelpFolder, FirstPlaceThatHoldsThePages) {
    struct Case {
        const char* name;
        bool besideExecutable, installed, inSource;
        const char* expected; // relative to the scratch folder; "" for none
    };
    const Case cases[] = {
        {"build copy first", true, true, true, "usr/bin"},
        {"installed data folder", false, true, true, "usr/share/kestrel"},
        {"source tree last", false, false, true, "src"},
        {"nowhere", false, false, false, ""},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        const fs::path bin = scratch.path() / "usr/bin";
        fs::create_directories(bin);
        if (c.besideExecutable) fs::create_directories(bin / "Help");
        if (c.installed) fs::create_directories(scratch.path() / "usr/share/kestrel/Help");
        if (c.inSource) fs::create_directories(scratch.path() / "src/Help");
        fs::path expected = *c.expected ? scratch.path() / c.expected : fs::path();
        EXPECT_EQ(FindHelpBase(bin, "../share/kestrel", scratch.path() / "src"), expected)
            << c.name;
    }
}

// Fails when --help-pages does not print the folder the help window would use.
TEST(HelpFolder, HelpPagesOptionPrintsTheFolder) {
    // The test program sits in the build tree without a copy of the pages: the source's are used.
    int exitCode = -1;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(ReadOption("--help-pages", &exitCode), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              (fs::path(KESTREL_SOURCE_DIR) / "Help").string() + "\n");
    EXPECT_EQ(exitCode, 0);
}

} // namespace
