// Where a device is: fails when a tty board does not give its node, the simulated board does not
// say so, or a bad index or size is not refused.
#include "CorvoUsbFixture.h"
#include "tests/support/FakeSysfs.h"

TEST_F(CorvoUsbTest, DeviceLocationIsTheNodeOrSimulated) {
    FakeSysfs sysfs;
    FakeSysfsBus variables(sysfs);
    sysfs.addSerialPort("1-1", "ttyUSB0", "ttyUSB0", "FIFO Bridge", "TB000001");
    cu::RebuildBus();
    char where[32] = "", cut[5] = "";
    ASSERT_EQ(GetDeviceLocation(where, sizeof where, 0), 0);
    EXPECT_STREQ(where, "/dev/ttyUSB0");
    ASSERT_EQ(GetDeviceLocation(cut, sizeof cut, 0), 0);
    EXPECT_STREQ(cut, "/dev");
    ASSERT_EQ(GetDeviceLocation(where, sizeof where, 1), 0);
    EXPECT_STREQ(where, "simulated");
    EXPECT_NE(GetDeviceLocation(where, sizeof where, 2), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_BAD_INDEX);
    EXPECT_NE(GetDeviceLocation(where, 0, 0), 0);
    EXPECT_EQ(USB_GetLastError(), CORVOUSB_ERR_BAD_ARGUMENT);
}
