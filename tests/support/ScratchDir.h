// Test helpers: a fresh folder (as a scope, or as the working folder of a whole test), an
// environment variable undone at the end of the scope, and a whole file read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>

// A fresh folder under the system's temporary folder, named after the test, removed at the end.
class TempDir {
  public:
    explicit TempDir(const std::string& prefix = "kestrel") {
        // Outside a test (a benchmark) there is no test name.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               (prefix + "-" + std::to_string(::getpid()) + "-" +
                (test != nullptr ? test->name() : "run"));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// A test that runs in a fresh working folder, as Kestrel runs in its own.
class InScratchDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.emplace();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_->path);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        dir_.reset();
    }
    std::optional<TempDir> dir_;
    std::filesystem::path previous_;
};

// Sets an environment variable for the scope and puts the old value back.
class EnvVar {
  public:
    EnvVar(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvVar() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
// Writes `bytes` as the whole content of a file.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
