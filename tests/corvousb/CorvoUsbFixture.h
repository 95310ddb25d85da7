// Shared fixture of the CorvoUsb tests: an in-memory bus with one simulated board.
#pragma once

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace cu = corvousb::testing;

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TempDir {
  public:
    TempDir() {
        path = std::filesystem::temp_directory_path() /
               ("corvousb-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
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

// Captures what the library prints and passes to the error function.
struct Captured {
    static inline std::string printed;
    static inline std::vector<std::string> errors;
    static int Print(const char* format, ...);
    static void Error(const char* text) { errors.emplace_back(text); }
};

inline int Captured::Print(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    printed += text;
    return n;
}

class CorvoUsbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cu::ResetBus();
        cu::AddBoard();
        Captured::printed.clear();
        Captured::errors.clear();
        USB_SetPrintfFunc(Captured::Print);
        USB_SetPerrorFunc(Captured::Error);
        cu::ClearCallLog();
    }
    void TearDown() override {
        cu::ResetBus();
        USB_SetPrintfFunc(nullptr);
        USB_SetPerrorFunc(nullptr);
    }
    // Opens the default board; fails the test when it cannot.
    int OpenFirst() {
        const int h = OpenUsbDevice("SIM00001");
        EXPECT_GT(h, 0);
        return h;
    }
};
