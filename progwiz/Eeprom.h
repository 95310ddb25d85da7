// The board's configuration EEPROM: the record the wizard collects, writing, erasing, reading.
#pragma once

#include <cstddef>
#include <cstdint>

// One EEPROM configuration, laid out as in "Conf.tmp" (80 bytes, 16-bit values little-endian
// there). Strings are NUL-terminated within their fields.
enum { EEPROM_DESC_MAX_CHARS = 64, EEPROM_SERNUM_MAX_CHARS = 8 };
typedef struct {
    char DeviceDesc[EEPROM_DESC_MAX_CHARS + 1];
    char SerialNumber[EEPROM_SERNUM_MAX_CHARS + 1];
    uint16_t MaxPower;     // mA drawn from the bus
    uint16_t PowerSource;  // 0 bus-powered, 1 self-powered
    uint16_t DriveCurrent; // I/O drive current, mA: 4, 8, 12 or 16
} EepromConfig;

static_assert(sizeof(EepromConfig) == 80, "EepromConfig must be 80 bytes without padding");
static_assert(offsetof(EepromConfig, SerialNumber) == 65 &&
                  offsetof(EepromConfig, MaxPower) == 74 &&
                  offsetof(EepromConfig, PowerSource) == 76 &&
                  offsetof(EepromConfig, DriveCurrent) == 78,
              "EepromConfig fields must sit where Conf.tmp has them");

// Writes the record to the open board's EEPROM, then reconnects to the board under its new
// identity. Stops at the first failing library call and reports it.
void ProgramDevice(EepromConfig* conf);
// Erases the open board's EEPROM, waits 3 s for the board to come back, then reconnects.
// Does nothing without an open board.
void EraseEprom(void);

// How the erase waits: the program sleeps (the whole program waits). Tests pass a function that
// returns at once; null restores the sleep.
void SetEepromPause(void (*pause)(int ms));

// Test menu "Erase EEPROM": asks first.
void EraseCB(int menuBar, int menuItem, void* callbackData, int panel);
// Setup panel "Read EEPROM content" and the "Show EEPROM" check box.
int ReadEEpromCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
int EEpromChkCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
