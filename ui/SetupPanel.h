// The setup panel's state: filled from the settings record, dimmed by the connection state.
#pragma once

// Fills every setup-panel control from tBoard; shows the connected state when a device is open.
void InitSetupControls(void);
// dim 1: no usable device (device controls dimmed); 0: device connected. A device described
// "USB-Blaster" always counts as unusable.
void DisableControls(int dim);
// Hexadecimal digits the data field shows for a word size: 8-bit 2, 16-bit 4, 32-bit (and
// anything else) 8.
int DataDigits(int wordSize);
// The start value cut to the word size, as the data field shows it; the record keeps all 32 bits.
unsigned DataShown(int wordSize, unsigned startVal);
// What the data field shows: the start value cut to the word size, except in pattern mode, where
// it holds the whole 32-bit pattern, so that the pattern stays the start value when the fields
// are stored again.
unsigned DataFieldValue(unsigned startVal);
// Enables the sub-address field (1) or dims it (0).
void SetSubAddressControlState(int enabled);
// The "Connected" lamp and the loop-running lamp.
void SetLed(int state);
void SetLed2(int state);

// Test menu "Show window" and the setup panel's "Close" button.
void ShowSetupDlg(int menuBar, int menuItem, void* callbackData, int panel);
int CloseSetupCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
