// The five I/O modes: the values of tBoard.IOMode, kestrel.cfg and the "IO mode" radio group.
#pragma once

enum IOMode {
    IOMODE_READ = 0,         // "<Read>"
    IOMODE_WRITE = 1,        // "<Write>"
    IOMODE_WRRD_BYTE = 2,    // "<Wr/Rd byte>"
    IOMODE_WRRD_BURST = 3,   // "<Wr/Rd burst>"
    IOMODE_EXTENDED_READ = 4 // "Extended read": framed reads into the interface buffer
};
