// Shared by the packaging tests: a scratch folder and a one-option command line.
#pragma once

#include "app/CommandLine.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// A scratch folder for one test, removed with everything in it at the end of the test.
class ScratchDir {
  public:
    ScratchDir() {
        std::string name = (std::filesystem::temp_directory_path() / "kestrel-XXXXXX").string();
        if (mkdtemp(name.data()) != nullptr) path_ = name;
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// ReadCommandLine for "kestrel <option>"; its exit code in *exitCode.
inline int ReadOption(const char* option, int* exitCode) {
    std::string arg0 = "kestrel";
    std::string arg1 = option;
    char* argv[] = {arg0.data(), arg1.data()};
    int maintenance = -1;
    return ReadCommandLine(2, argv, &maintenance, exitCode);
}
