// Where the help pages are found: beside the executable, in the installed data folder, in the
// source tree; and --help-pages, which prints the folder found.
#include "tests/support/CaptureOutput.h"
#include "ui/HelpFolder.h"

#include "packaging_support.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Fails when a place that holds the pages is skipped, or the order build copy, installed data
// folder, source tree is broken.
TEST(HelpFolder, FirstPlaceThatHoldsThePages) {
    const fs::path scratch = ScratchFolder(), bin = scratch / "usr/bin", src = scratch / "src";
    fs::create_directories(bin);
    EXPECT_EQ(FindHelpBase(bin, "../share/kestrel", src), fs::path());
    fs::create_directories(src / "Help");
    EXPECT_EQ(FindHelpBase(bin, "../share/kestrel", src), src);
    fs::create_directories(scratch / "usr/share/kestrel/Help");
    EXPECT_EQ(FindHelpBase(bin, "../share/kestrel", src), scratch / "usr/share/kestrel");
    fs::create_directories(bin / "Help");
    EXPECT_EQ(FindHelpBase(bin, "../share/kestrel", src), bin);
}

// Fails when --help-pages does not print the folder the help window would use.
TEST(HelpFolder, HelpPagesOptionPrintsTheFolder) {
    // The test program sits in the build tree without a copy of the pages: the source's are used.
    int exitCode = -1;
    EXPECT_EQ(
        CaptureOutput(STDOUT_FILENO, [&] { EXPECT_EQ(ReadOption("--help-pages", &exitCode), 0); }),
        (fs::path(KESTREL_SOURCE_DIR) / "Help").string() + "\n");
    EXPECT_EQ(exitCode, 0);
}

} // namespace
