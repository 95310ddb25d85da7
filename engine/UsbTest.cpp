// usb_test: one transfer through the sub-address protocol, in the current I/O mode.
#include "engine/UsbTest.h"

#include "core/IoMode.h"
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/DataCheck.h"
#include "engine/DataDump.h"
#include "engine/LongWork.h"
#include "engine/TestData.h"
#include "engine/TransferRun.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Output.h"
#include "usb/UsbLink.h"

#include <cstdio>

// The settings one run reads once at its start.
typedef struct {
    int id;
    char subAddress;
    int print;
} SubAddressLink;

// After a failed call: the frame diagnostics, then the error callback unless the code is the
// quiet one.
static void ReportUsbError(void) {
    PrintFrameInfo();
    int code = USB_GetLastError();
    if (code != CORVOUSB_ERR_READ_TIMEOUT) USB_Perror(code);
}

// The burst mode's report: the quiet code gives the frame diagnostics, any other the callback.
static void ReportBurstError(void) {
    int code = USB_GetLastError();
    if (code == CORVOUSB_ERR_READ_TIMEOUT)
        PrintFrameInfo();
    else
        USB_Perror(code);
}

static void ReadBlock(const SubAddressLink* link, TransferRun* run) {
    StartPrecTimer();
    int r = UsbRd(link->id, link->subAddress, run->first, run->byteCount);
    StopPrecTimer();
    // A failed read has no rate: its figure would be the negative result.
    if (r < 0) {
        ReportUsbError();
        return;
    }
    ReportMovedBytes(run, r, MOVED_READ);
    PrintTransferRate(r);
}

static void WriteBlock(const SubAddressLink* link, TransferRun* run) {
    FillBuffer(run->first);
    StartPrecTimer();
    int r = UsbWrt(link->id, link->subAddress, run->first, run->byteCount);
    StopPrecTimer();
    if (r < 0) {
        ReportUsbError();
        return;
    }
    ReportMovedBytes(run, r, MOVED_WRITTEN);
    // Nothing written: the warning alone, without a rate.
    if (r > 0) PrintTransferRate(r);
}

// Writes the block one byte per call. The first failure is reported once and ends the run, with
// the bytes that were written; so does a stop, followed by the rate of what was written.
static void WriteBytes(const SubAddressLink* link, TransferRun* run) {
    FillBuffer(run->first);
    int written = 0;
    int failed = 0;
    BeginProgress(PROGRESS_TITLE, "Writing one byte per call...");
    StartPrecTimer();
    while (written < run->byteCount) {
        if (UsbWrt(link->id, link->subAddress, run->first + written, 1) <= 0) {
            failed = 1;
            break;
        }
        ++written;
        if (written < run->byteCount && UpdateProgress(written, run->byteCount)) break;
    }
    StopPrecTimer();
    EndProgress();
    if (failed) {
        ReportUsbError();
        InfoPrintf("Warning : only %d bytes of %ld were written\n", written,
                   static_cast<long>(run->byteCount));
        return;
    }
    if (written < run->byteCount) ReportStop(written, run->byteCount);
    PrintTransferRate(written);
}

// Writes the block untimed, then reads it back into the second block; only the read is timed.
static void WriteReadBurst(const SubAddressLink* link, TransferRun* run) {
    FillBuffer(run->first);
    int w = UsbWrt(link->id, link->subAddress, run->first, run->byteCount);
    if (w <= 0) {
        ReportBurstError();
        return;
    }
    if (link->print) {
        InfoPrintf("\nWrote...");
        PrintData(run->first);
    }
    StartPrecTimer();
    int r = UsbRd(link->id, link->subAddress, run->second, run->byteCount);
    StopPrecTimer();
    if (r >= 0) {
        if (link->print) {
            InfoPrintf("Read...");
            PrintData(run->second);
        }
        if (r == 0) InfoPrintf("Warning : 0 bytes read\n");
    } else {
        ReportBurstError();
        return;
    }
    PrintTransferRate(r);
    CheckReadBack(run->first, run->second, run->byteCount, r);
}

// One framed read into the interface buffer. The stopwatch is not started here: it runs from
// the start of loop mode to the end of the latest read, which the loop statistics use.
static void ExtendedRead(const SubAddressLink* link, TransferRun* run) {
    // Never ask for more than the interface buffer holds, whatever the receive size setting.
    int maxBytes = GetRxBuffer();
    if (maxBytes > INTERFACE_BUFFER_SIZE) maxBytes = INTERFACE_BUFFER_SIZE;
    int frames = 0;
    int r = UsbRdEx(link->id, run->first, maxBytes, &frames);
    StopPrecTimer();
    if (r < 0) {
        InfoPrintf("Processed frames before this error %ld\n", static_cast<long>(GetNFrames()));
        InfoPrintf("Lost frames before this error %llu\n", GetLostFrames());
        InfoPrintf("USB_GetStatus() = %d\n", USB_GetStatus(link->id, CORVOUSB_RX_QUEUE));
        ReportUsbError();
    } else if (r > 0) {
        SetNFrames(GetNFrames() + frames);
        if (link->print) {
            int kept = GetWordCount();
            SetWordCount(r);
            PrintData(run->first);
            SetWordCount(kept);
        }
        CheckFramePayloadsOf(run->first, r);
    }
}

void usb_test(void) {
    const int mode = GetIOMode();
    const SubAddressLink link = {GetUsbId(), static_cast<char>(GetSubAddress()), GetPrintState()};
    TransferRun run;
    BeginTransferRun(&run);
    if (mode == IOMODE_EXTENDED_READ) {
        run.first = GetInterfaceBuffer();
        ExtendedRead(&link, &run);
        run.first = nullptr; // the interface buffer is not the run's to free
    } else if (AllocTransferBlocks(&run, printf)) {
        switch (mode) {
        case IOMODE_READ:
            ReadBlock(&link, &run);
            break;
        case IOMODE_WRITE:
            WriteBlock(&link, &run);
            break;
        case IOMODE_WRRD_BYTE:
            WriteBytes(&link, &run);
            break;
        case IOMODE_WRRD_BURST:
            WriteReadBurst(&link, &run);
            break;
        default:
            break;
        }
    }
    EndTransferRun(&run);
}

void RunTransferTest(void) {
    if (EncapsulationState != 0)
        usb_test();
    else
        usb_test_raw();
}
