// Tests of the bus, device opening and closing, handles, link settings, faults and the call log.
#include "CorvoUsbFixture.h"

#include <cstring>

using ::testing::ElementsAre;

namespace {

// Fails when the call log drops arguments, changes their format or order, or logs pure getters
// (the start-up's calls in their order: tests/app).
TEST_F(CorvoUsbTest, CallLogKeepsArgumentsInOrder) {
    const int h = OpenFirst();
    unsigned char data[16] = {};
    int n = 0;
    UsbWrt(h, -3, data, 16), UsbRdEx(h, data, 16, &n), USB_Write(h, data, 2, nullptr);
    USB_GetLastError(), GetLostFrames(), USB_GetEpromDeviceDesc();
    USB_SetDescStr(h, nullptr), USB_SetSerialNumber(h, "AB\"C"), CloseUsbDevice(h);
    USB_Perror(20);
    EXPECT_THAT(cu::CallLog(),
                ElementsAre("OpenUsbDevice(\"SIM00001\")", "UsbWrt(1, -3, data, 16)",
                            "UsbRdEx(1, data, 16, out)", "USB_Write(1, data, 2, NULL)",
                            "USB_SetDescStr(1, NULL)", "USB_SetSerialNumber(1, \"AB\"C\")",
                            "CloseUsbDevice(1)", "USB_Perror(20)"));
}

// Fails when a call with a handle that is not open crashes or reports success.
TEST_F(CorvoUsbTest, EveryHandleCallRefusesHandlesThatAreNotOpen) {
    const int closed = OpenFirst();
    CloseUsbDevice(closed);
    for (int h : {0, -1, 7777, closed})
        ExpectEveryHandleCallFails(h, CORVOUSB_ERR_INVALID_HANDLE);
    EXPECT_TRUE(cu::Board(0).serial == "SIM00001" && Captured::errors.empty());

    // Fails when a null pointer or a bad index is not refused with its code, a buffer is touched,
    // or a long description or serial number is copied beyond the caller's buffer.
    const int h = OpenFirst();
    int count = 5;
    unsigned char data[8];
    const int null = CORVOUSB_ERR_NULL_POINTER;
    EXPECT_EQ(std::tuple(Res(GetDeviceDesc(nullptr, 0) != 0), Res(OpenUsbDevice(nullptr)),
                         Res(USB_CheckFrames(nullptr, 4)), Res(UsbWrt(h, 0, data, -1))),
              std::tuple(Fail(1, null), Fail(-1, null), Fail(-1, null),
                         Fail(-1, CORVOUSB_ERR_BAD_ARGUMENT)));
    EXPECT_LT(UsbRdEx(h, nullptr, 64, &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(std::tuple(GetDeviceSerNum(nullptr, 0) != 0, UsbWrt(h, 0, nullptr, 4) < 0,
                         UsbRd(h, 0, nullptr, 4) < 0, UsbRdEx(h, data, 8, nullptr) < 0,
                         USB_Write(h, data, 4, nullptr), USB_Read(h, nullptr, 4, &count)),
              std::tuple(true, true, true, true, 0, 0));
    char desc[80], serial[20];
    std::memset(desc, '#', sizeof desc);
    for (int index : {1, -1, 1000})
        EXPECT_EQ(Res(GetDeviceDesc(desc, index) + GetDeviceSerNum(desc, index) < 0 ? 1 : 0),
                  Fail(1, CORVOUSB_ERR_BAD_INDEX));
    EXPECT_EQ(desc[0], '#');

    cu::ResetBus();
    cu::AddBoard({.description = std::string(64, 'D'), .serial = "ABCDEFGH"});
    std::memset(serial, '#', sizeof serial);
    ASSERT_EQ(GetDeviceDesc(desc, 0) + GetDeviceSerNum(serial, 0), 0);
    EXPECT_EQ(std::tuple(std::string(desc), desc[64], std::string(serial), serial[10]),
              std::tuple(std::string(63, 'D'), '#', std::string("ABCDEFGH"), '#'));
}

// Fails when two boards with one description cannot be told apart by serial number, a board can
// be opened twice, closing twice is refused, a handle is reused, an empty bus is reported as a
// success, an erased board cannot be reopened, an unplugged board still answers, or the unplug
// countdown counts wrongly.
TEST_F(CorvoUsbTest, OpeningClosingAndUnpluggingBySerialNumber) {
    cu::AddBoard({.serial = "SIM00002"});
    EXPECT_THAT(Listing(),
                ElementsAre("Simulated Corvo Board/SIM00001", "Simulated Corvo Board/SIM00002"));
    const int h1 = OpenUsbDevice("SIM00001"), h2 = OpenUsbDevice("SIM00002");
    EXPECT_TRUE(h1 > 0 && h2 > h1);
    EXPECT_EQ(Res(OpenUsbDevice("SIM00002")), Fail(-1, CORVOUSB_ERR_DEVICE_BUSY));
    EXPECT_EQ(Res(OpenUsbDevice("NOSUCH")), Fail(-1, CORVOUSB_ERR_DEVICE_NOT_FOUND));
    EXPECT_EQ(CloseUsbDevice(h2) + CloseUsbDevice(h2), 2);
    EXPECT_EQ(Res(CloseUsbDevice(4242)), Fail(0, CORVOUSB_ERR_INVALID_HANDLE));
    const int again = OpenUsbDevice("SIM00002");
    EXPECT_EQ(std::pair(again > h2, USB_Init(again, 1)), std::pair(true, 1));
    USB_CloseAll();
    EXPECT_FALSE(cu::Board(0).open || cu::Board(1).open || USB_SetBaudRate(h1, 921600));

    cu::ResetBus();
    EXPECT_EQ(Res(USB_FindDevices(0)), Fail(0, CORVOUSB_ERR_NO_DEVICE));
    EXPECT_LT(OpenUsbDevice("SIM00001"), 0);
    cu::AddBoard({.serial = ""});
    EXPECT_EQ(std::pair(USB_FindDevices(0), Res(USB_FindDevices(3))),
              std::pair(1, Fail(0, CORVOUSB_ERR_BAD_ARGUMENT)));
    EXPECT_TRUE(OpenUsbDevice("") > 0 && OpenUsbDevice("") < 0);

    // An unplugged board no longer answers, after the countdown.
    int h = OpenOnly({});
    cu::UnplugBoardAfter(0, 2);
    EXPECT_EQ(USB_SetBaudRate(h, 921600) + USB_PurgeBuffers(h), 2);
    EXPECT_EQ(Res(USB_PurgeBuffers(h)), Fail(0, CORVOUSB_ERR_DEVICE_REMOVED));
    EXPECT_EQ(std::pair(USB_GetNumberOfDevs(), CloseUsbDevice(h)), std::pair(0, 1));
    cu::PlugBoard(0);
    h = OpenFirst();
    cu::UnplugBoard(0);
    ExpectEveryHandleCallFails(h, CORVOUSB_ERR_DEVICE_REMOVED);
    cu::PlugBoard(0);
    EXPECT_EQ(USB_Init(h, 1), 0); // the old handle stays dead
    EXPECT_GT(OpenFirst(), h);
}

// Fails when link settings are not kept by the chip or bad values are accepted.
TEST_F(CorvoUsbTest, LinkSettingsAreKeptAndBadValuesRefused) {
    const int h = OpenFirst();
    EXPECT_EQ(USB_SetLatencyTimer(h, 200) + USB_SetTimeouts(h, 300, 400) +
                  USB_SetXferSize(h, 4096, 8192) + USB_SetSynchronousMode(h, 100) +
                  USB_SetFlowControlToHardware(h) + USB_SetBaudRate(h, 921600),
              6);
    const auto settings = [] {
        const cu::BoardState s = cu::Board(0);
        return std::tuple(s.latencyMs, s.writeTimeoutMs, s.readTimeoutMs, s.txXferSize,
                          s.rxXferSize, s.synchronous, s.syncOption, s.hardwareFlowControl,
                          s.baudRate);
    };
    EXPECT_EQ(settings(), std::tuple(200u, 300, 400, 4096, 8192, true, 100, true, 921600));
    EXPECT_EQ(std::pair(USB_ResetMode(h), Res(USB_SetTimeouts(h, -1, 5))),
              std::pair(1, Fail(0, CORVOUSB_ERR_BAD_ARGUMENT)));
    EXPECT_EQ(USB_SetXferSize(h, 0, 8192) + USB_SetSynchronousMode(h, 256) + USB_SetBaudRate(h, 0) +
                  USB_GetStatus(h, 2),
              -1);
    EXPECT_EQ(settings(), std::tuple(200u, 300, 400, 4096, 8192, false, 100, true, 921600));
}

} // namespace
