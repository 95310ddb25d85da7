// usb_test_raw: one transfer straight through the FIFO, without sub-address or frames.
#include "engine/UsbTest.h"

#include "core/IoMode.h"
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/DataCheck.h"
#include "engine/DataDump.h"
#include "engine/TestData.h"
#include "engine/TransferRun.h"
#include "platform/corvousb/CorvoUsb.h"
#include "ui/Output.h"

// Every failure of a raw call reaches the error callback.
static void ReportRawError(void) {
    USB_Perror(USB_GetLastError());
}

static void RawRead(int id, TransferRun* run) {
    int moved = 0;
    StartPrecTimer();
    int ok = USB_Read(id, run->first, run->byteCount, &moved);
    StopPrecTimer();
    if (!ok) {
        ReportRawError();
        return;
    }
    ReportMovedBytes(run, moved, MOVED_READ);
    PrintTransferRate(moved);
    CheckRawStream(run->first, moved);
}

// A failed write has no rate line, whatever count the library left.
static void RawWrite(int id, TransferRun* run) {
    int moved = 0;
    FillBuffer(run->first);
    StartPrecTimer();
    int ok = USB_Write(id, run->first, run->byteCount, &moved);
    StopPrecTimer();
    if (!ok) {
        ReportRawError();
        return;
    }
    ReportMovedBytes(run, moved, MOVED_WRITTEN);
    PrintTransferRate(moved);
}

// Write and read back, timed together; the dumps come after the read.
static void RawBurst(int id, int print, TransferRun* run) {
    int moved = 0;
    FillBuffer(run->first);
    StartPrecTimer();
    if (!USB_Write(id, run->first, run->byteCount, &moved)) {
        StopPrecTimer();
        ReportRawError();
        return;
    }
    int readOk = USB_Read(id, run->second, run->byteCount, &moved);
    StopPrecTimer();
    if (print) InfoPrintf("\nWrote...");
    PrintData(run->first);
    if (readOk) {
        if (print) {
            InfoPrintf("Read...");
            PrintData(run->second);
        }
    } else {
        ReportRawError();
        return;
    }
    PrintTransferRate(moved);
    CheckReadBack(run->first, run->second, run->byteCount, readOk ? moved : -1);
}

void usb_test_raw(void) {
    const int mode = GetIOMode();
    if (mode == IOMODE_WRRD_BYTE || mode == IOMODE_EXTENDED_READ) return;
    const int id = GetUsbId();
    const int print = GetPrintState();
    TransferRun run;
    BeginTransferRun(&run);
    if (AllocTransferBlocks(&run, InfoPrintf)) {
        if (mode == IOMODE_READ) RawRead(id, &run);
        if (mode == IOMODE_WRITE) RawWrite(id, &run);
        if (mode == IOMODE_WRRD_BURST) RawBurst(id, print, &run);
    }
    EndTransferRun(&run);
}
