// The two transfer tests: through the sub-address protocol, and straight through the FIFO.
#pragma once

// One transfer in the current I/O mode through the sub-address protocol ("<Read>", "<Write>",
// "<Wr/Rd byte>", "<Wr/Rd burst>" or a framed "Extended read" into the interface buffer):
// warnings, dump and rate line go to the information box, library errors to USB_Perror.
void usb_test(void);
// One transfer in the current I/O mode straight through the FIFO ("<Read>", "<Write>",
// "<Wr/Rd burst>"); does nothing at all in the other two modes.
void usb_test_raw(void);
// The test the frame-format switch selects: usb_test when it is on, usb_test_raw when off.
void RunTransferTest(void);
