// Shared by the packaging tests: an empty scratch folder and a one-option command line.
#pragma once

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// An empty folder of the test's own under the test temporary folder.
inline std::filesystem::path ScratchFolder() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / (std::string("kestrel-") + test->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// ReadCommandLine for "kestrel <option>"; its exit code in *exitCode.
inline int ReadOption(const char* option, int* exitCode) {
    std::string arg0 = "kestrel";
    std::string arg1 = option;
    char* argv[] = {arg0.data(), arg1.data()};
    int maintenance = -1;
    return ReadCommandLine(2, argv, &maintenance, exitCode);
}
