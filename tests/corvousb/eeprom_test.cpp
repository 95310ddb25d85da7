// Tests of the EEPROM: setters, write, erase and read.
#include "CorvoUsbFixture.h"

namespace {

// Fails when a written EEPROM does not change how the board presents itself, a read does not
// report it, erasing does not leave the blank identity, or an erased board cannot be reopened and
// reprogrammed.
TEST_F(CorvoUsbTest, EepromWriteAndEraseChangeTheIdentity) {
    int h = OpenFirst();
    EXPECT_EQ(USB_SetDescStr(h, "Bench board") + USB_SetSerialNumber(h, "BENCH042") +
                  USB_SetPowerSource(h, 1) + USB_SetMaxPower(h, 250) + USB_SetDriveCurrent(h, 16),
              5);
    EXPECT_EQ(cu::Board(0).description, "Simulated Corvo Board") << "staged, not written";
    ASSERT_EQ(USB_WriteEEpromData(h), 1);
    EXPECT_EQ(std::pair(Power(cu::Board(0)), Listing().at(0)),
              std::pair(std::tuple(250u, 1u, 16u), std::string("Bench board/BENCH042")));

    ASSERT_EQ(USB_ReadEEpromData(h, 1), 1);
    EXPECT_EQ(std::string(USB_GetEpromDeviceDesc()) + USB_GetEpromSerialNum(),
              "Bench boardBENCH042");
    EXPECT_EQ(Captured::printed, "EEPROM description: Bench board\n"
                                 "EEPROM serial number: BENCH042\n"
                                 "EEPROM max power: 250 mA\n"
                                 "EEPROM power source: self-powered\n"
                                 "EEPROM drive current: 16 mA\n");
    Captured::printed.clear();
    EXPECT_EQ(USB_ReadEEpromData(h, 0), 1);
    EXPECT_EQ(Captured::printed, "");
    CloseUsbDevice(h);
    EXPECT_LT(OpenUsbDevice("SIM00001"), 0);
    ASSERT_GT(h = OpenUsbDevice("BENCH042"), 0);

    ASSERT_EQ(USB_EraseEEpromData(h), 1);
    EXPECT_EQ(std::pair(Power(cu::Board(0)), Listing().at(0)),
              std::pair(std::tuple(100u, 0u, 8u), std::string("Corvo USB FIFO/")));
    EXPECT_EQ(USB_ReadEEpromData(h, 0), 1);
    EXPECT_STREQ(USB_GetEpromSerialNum(), "");
    CloseUsbDevice(h);
    ASSERT_GT(h = OpenUsbDevice(""), 0);
    EXPECT_EQ(USB_SetSerialNumber(h, "NEW1") + USB_WriteEEpromData(h), 2);
    EXPECT_THAT(Listing(), ::testing::ElementsAre("Corvo USB FIFO/NEW1"));

    // Fails when bad EEPROM values are accepted or reported with the wrong code.
    h = OpenOnly({});
    EXPECT_EQ(Res(USB_SetDescStr(h, nullptr)), Fail(0, CORVOUSB_ERR_NULL_DESCRIPTION));
    EXPECT_EQ(Res(USB_SetSerialNumber(h, nullptr)), Fail(0, CORVOUSB_ERR_NULL_SERIAL));
    EXPECT_EQ(Res(USB_SetDescStr(h, std::string(65, 'x').c_str())),
              Fail(0, CORVOUSB_ERR_DESCRIPTION_TOO_LONG));
    EXPECT_EQ(USB_SetDescStr(h, std::string(64, 'x').c_str()), 1);
    EXPECT_EQ(Res(USB_SetSerialNumber(h, "123456789")), Fail(0, CORVOUSB_ERR_SERIAL_TOO_LONG));
    const int bad = CORVOUSB_ERR_BAD_ARGUMENT;
    for (const char* serial : {"a\nb", "AB CD"})
        EXPECT_EQ(Res(USB_SetSerialNumber(h, serial)), Fail(0, bad)) << serial;
    for (int source : {-1, 2})
        EXPECT_EQ(Res(USB_SetPowerSource(h, source)), Fail(0, bad)) << source;
    EXPECT_EQ(USB_SetMaxPower(h, 500), 1); // the most a port gives
    for (int power : {-5, 501})
        EXPECT_EQ(Res(USB_SetMaxPower(h, power)), Fail(0, bad)) << power;
    for (int current : {0, 5, 20})
        EXPECT_EQ(Res(USB_SetDriveCurrent(h, current)), Fail(0, bad)) << current;
    ASSERT_EQ(USB_WriteEEpromData(h), 1);
    const cu::BoardState s = cu::Board(0);
    EXPECT_EQ(std::tuple(s.description, s.serial, Power(s)),
              std::tuple(std::string(64, 'x'), "SIM00001", std::tuple(500u, 0u, 8u)));
}

} // namespace
