// Shared fixture of the CorvoUsb tests: an in-memory bus with one simulated board.
#pragma once

#include "TestScopes.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace cu = corvousb::testing;

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
    // A bus of this one board, opened.
    int OpenOnly(const cu::BoardSetup& setup) {
        cu::ResetBus();
        cu::AddBoard(setup);
        return OpenFirst();
    }
    // An extended read of up to `bytes` into `rx`; the frames it reported are left in `frames`.
    int ReadEx(int h, int bytes) {
        rx.resize(static_cast<std::size_t>(bytes));
        return UsbRdEx(h, rx.data(), bytes, &frames);
    }
    std::vector<unsigned char> rx;
    int frames = -1;
};

// A call's result and the error code it left, checked in one assertion.
inline std::pair<int, int> Res(int result) {
    return {result, USB_GetLastError()};
}
// The pair a failing call gives: its failure value and its code.
inline std::pair<int, int> Fail(int value, int code) {
    return {value, code};
}
// The pair a read that found no data gives: its result and the quiet read time-out code.
inline std::pair<int, int> NoData(int value) {
    return {value, CORVOUSB_ERR_READ_TIMEOUT};
}
