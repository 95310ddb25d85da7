// The two transfer tests: through the sub-address protocol, and straight through the FIFO.
#pragma once

// One transfer in the current I/O mode through the sub-address protocol ("<Read>", "<Write>",
// "<Wr/Rd byte>", "<Wr/Rd burst>" or a framed "Extended read" into the interface buffer):
// warnings, dump and rate line go to the information box, library errors to USB_Perror. A
// failed transfer prints no rate line; "<Wr/Rd byte>" ends at its first failure and shows a
// progress box with Stop when it runs over a second.
void usb_test(void);
// One transfer in the current I/O mode straight through the FIFO ("<Read>", "<Write>",
// "<Wr/Rd burst>"); does nothing at all in the other two modes. A failed transfer prints no
// rate line.
void usb_test_raw(void);
// The test the frame-format switch selects: usb_test when it is on, usb_test_raw when off.
void RunTransferTest(void);
