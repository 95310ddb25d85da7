// Offline diagnostics of the frame capture "USB_LogFile2.bin": replay and marker search.
#include "engine/OfflineDiag.h"

#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Output.h"

#include <cstdio>

static const char CAPTURE_FILE[] = "USB_LogFile2.bin";
enum { REPLAY_BLOCK_SIZE = 0xFFFF };

unsigned char TmpBuffer[TMP_BUFFER_SIZE];

// Hands each block to the frame checker, which keeps a frame cut by the block boundary for the
// next block and counts lost frames, header and trailer errors as loop mode does.
static void ReplayCapture(FILE* file) {
    while (!feof(file)) {
        size_t bytes = fread(TmpBuffer, 1, REPLAY_BLOCK_SIZE, file);
        int frames = USB_CheckFrames(TmpBuffer, static_cast<int>(bytes));
        if (frames > 0) SetNFrames(GetNFrames() + frames);
        InfoPrintf("%ld\n", static_cast<long>(GetNFrames()));
        if (ferror(file)) break;
    }
}

int SimulCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetNFrames(0);
    ResetLostFrames();
    ResetFrameErrors();
    ResetTotalByteCount();
    FILE* file = fopen(CAPTURE_FILE, "rb");
    if (file != nullptr) {
        ReplayCapture(file);
        fclose(file);
    }
    InfoPrintf("Processed frames = %d\n", GetNFrames());
    InfoPrintf("Lost frames = %d\n", static_cast<int>(GetLostFrames()));
    InfoPrintf("Header errors = %d\n", static_cast<int>(GetHeaderErrors()));
    InfoPrintf("Trailer errors = %d\n", static_cast<int>(GetTrailerErrors()));
    return 0;
}

// Counts the AA FF FF sequences from the start, none overlapping. position is the number of
// bytes taken so far, so an AA reported at offset k shows k + 1.
static int SearchMarkers(FILE* file) {
    unsigned position = 0;
    int count = 0;
    int byte;
    while ((byte = fgetc(file)) != EOF) {
        ++position;
        if (byte != 0xAA) continue;
        // After an AA: another AA starts the sequence again, FF FF completes it.
        for (;;) {
            if ((byte = fgetc(file)) == EOF) break;
            ++position;
            if (byte == 0xFF) {
                if ((byte = fgetc(file)) == EOF) break;
                ++position;
                if (byte == 0xFF) ++count;
            }
            if (byte != 0xAA) break;
            InfoPrintf("AAh at %08X\n", position);
        }
    }
    return count;
}

int AAFFButtonCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int count = 0;
    FILE* file = fopen(CAPTURE_FILE, "rb");
    if (file != nullptr) {
        count = SearchMarkers(file);
        fclose(file);
    }
    InfoPrintf("count = %d\n", count);
    return 0;
}
