// Shared fixture of the CorvoUsb tests: an in-memory bus with one simulated board.
#pragma once

#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "tests/support/ScratchDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>

namespace cu = corvousb::testing;

// Captures what the library prints and passes to the error function.
struct Captured {
    static inline std::string printed;
    static inline std::vector<std::string> errors;
    static void Error(const char* text) { errors.emplace_back(text); }
    static int Print(const char* format, ...) {
        char text[512];
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        printed += text;
        return n;
    }
};

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

// n bytes counting up by 7 from `start`.
inline std::vector<unsigned char> Sequence(std::size_t n, unsigned start) {
    std::vector<unsigned char> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<unsigned char>(start + i * 7);
    return v;
}

// The devices' descriptions and serial numbers, "description/serial", in index order.
inline std::vector<std::string> Listing() {
    std::vector<std::string> list;
    for (int i = 0; i < USB_GetNumberOfDevs(); ++i) {
        char desc[64] = "", serial[10] = "";
        EXPECT_EQ(GetDeviceDesc(desc, i), 0);
        EXPECT_EQ(GetDeviceSerNum(serial, i), 0);
        list.push_back(std::string(desc) + "/" + serial);
    }
    return list;
}

// A board's power settings from its EEPROM: maximum power, power source and drive current.
inline std::tuple<unsigned, unsigned, unsigned> Power(const cu::BoardState& s) {
    return {s.maxPower, s.powerSource, s.driveCurrent};
}

// A call's result and the error code it left, checked in one assertion against Fail(value, code).
inline std::pair<int, int> Res(int result) {
    return {result, USB_GetLastError()};
}
using Fail = std::pair<int, int>;

// Checks that every call that takes a handle (the transfer and link calls, then the EEPROM ones)
// fails on `h` with `code`.
inline void ExpectEveryHandleCallFails(int h, int code) {
    static unsigned char data[16];
    static int count;
    // Each call as a function of the handle that gives 1 when the call reports success.
    const std::function<int(int)> calls[] = {
        [](int h) { return USB_Init(h, 1); },
        [](int h) { return UsbWrt(h, 0, data, 4) >= 0 ? 1 : 0; },
        [](int h) { return UsbRd(h, 0, data, 4) >= 0 ? 1 : 0; },
        [](int h) { return UsbRdEx(h, data, 16, &count) >= 0 ? 1 : 0; },
        [](int h) { return USB_Write(h, data, 4, &count); },
        [](int h) { return USB_Read(h, data, 4, &count); },
        [](int h) { return USB_SetLatencyTimer(h, 2); },
        [](int h) { return USB_SetTimeouts(h, 1, 1); },
        [](int h) { return USB_SetXferSize(h, 4096, 8192); },
        [](int h) { return USB_SetSynchronousMode(h, 100); },
        [](int h) { return USB_ResetMode(h); },
        [](int h) { return USB_SetFlowControlToHardware(h); },
        [](int h) { return USB_PurgeBuffers(h); },
        [](int h) { return USB_SetBaudRate(h, 921600); },
        [](int h) { return USB_GetStatus(h, 0) >= 0 ? 1 : 0; },
        [](int h) { return USB_ReadEEpromData(h, 1); },
        [](int h) { return USB_SetDescStr(h, "x"); },
        [](int h) { return USB_SetSerialNumber(h, "x"); },
        [](int h) { return USB_SetPowerSource(h, 0); },
        [](int h) { return USB_SetMaxPower(h, 100); },
        [](int h) { return USB_SetDriveCurrent(h, 8); },
        [](int h) { return USB_WriteEEpromData(h); },
        [](int h) { return USB_EraseEEpromData(h); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i)
        EXPECT_EQ(Res(calls[i](h)), Fail(0, code)) << i << " h" << h;
}

// The pair a read that found no data gives: its result and the quiet read time-out code.
inline Fail NoData(int value) {
    return {value, CORVOUSB_ERR_READ_TIMEOUT};
}
