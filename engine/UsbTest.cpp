// usb_test: one transfer through the sub-address protocol, in the current I/O mode.
#include "engine/UsbTest.h"

#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/DataCheck.h"
#include "engine/DataDump.h"
#include "engine/TestData.h"
#include "engine/TransferRun.h"
#include "platform/corvousb/CorvoUsb.h"
#include "ui/Output.h"
#include "usb/UsbLink.h"

#include <cstdio>

// Code of the library's quiet condition: a read that timed out with no data.
enum { QUIET_ERROR_CODE = 20 };

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
    if (code != QUIET_ERROR_CODE) USB_Perror(code);
}

// The burst mode's report: the quiet code gives the frame diagnostics, any other the callback.
static void ReportBurstError(void) {
    int code = USB_GetLastError();
    if (code == QUIET_ERROR_CODE)
        PrintFrameInfo();
    else
        USB_Perror(code);
}

static void ReadBlock(const SubAddressLink* link, TransferRun* run) {
    StartPrecTimer();
    int r = UsbRd(link->id, link->subAddress, run->first, run->byteCount);
    StopPrecTimer();
    if (r < 0)
        ReportUsbError();
    else
        ReportMovedBytes(run, r, MOVED_READ);
    // After an error the figure is the negative result, and so is the rate.
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

// Writes the block one byte per call, on to the end whatever fails; the rate counts the bytes
// that were accepted.
static void WriteBytes(const SubAddressLink* link, TransferRun* run) {
    FillBuffer(run->first);
    int accepted = 0;
    StartPrecTimer();
    for (int i = 0; i < run->byteCount; ++i) {
        if (UsbWrt(link->id, link->subAddress, run->first + i, 1) > 0)
            ++accepted;
        else
            ReportUsbError();
    }
    StopPrecTimer();
    PrintTransferRate(accepted);
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
        InfoPrintf("Lost frames before this error %ld\n", static_cast<long>(GetLostFrames()));
        InfoPrintf("USB_GetStatus() = %d\n", USB_GetStatus(link->id, 0));
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
    if (mode == 4) {
        run.first = GetInterfaceBuffer();
        ExtendedRead(&link, &run);
        run.first = nullptr; // the interface buffer is not the run's to free
    } else if (AllocTransferBlocks(&run, printf)) {
        switch (mode) {
        case 0:
            ReadBlock(&link, &run);
            break;
        case 1:
            WriteBlock(&link, &run);
            break;
        case 2:
            WriteBytes(&link, &run);
            break;
        case 3:
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
