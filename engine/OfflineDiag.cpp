// Offline diagnostics of the frame capture "USB_LogFile2.bin": replay and marker search.
#include "engine/OfflineDiag.h"

#include "core/Kestrel_core.h"
#include "engine/LongWork.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static const char CAPTURE_FILE[] = "USB_LogFile2.bin";
enum { REPLAY_BLOCK_SIZE = 0xFFFF };
// The marker search asks whether to stop once per this many bytes.
enum { SEARCH_PROGRESS_STEP = 0x10000 };

unsigned char TmpBuffer[TMP_BUFFER_SIZE];

// The capture being read: at most the bytes it held when it was opened, so that a file that
// grows meanwhile is still read to an end.
typedef struct {
    FILE* file;
    long long size;  // bytes to read
    long long taken; // bytes read so far
    int stopped;     // the user or a quit signal stopped the work
} Capture;

static int NotRead(const char* reason) {
    InfoPrintf("%s was not read (%s)\n", CAPTURE_FILE, reason);
    return 0;
}

// Opens the capture: a regular file (a link to one is followed) of at most what the library
// writes into a capture, opened without blocking. A missing file is no problem and says
// nothing; anything else that is not read says why. Returns 1 when the capture is open.
static int OpenCapture(Capture* capture) {
    struct stat st;
    if (stat(CAPTURE_FILE, &st) != 0) return errno == ENOENT ? 0 : NotRead(strerror(errno));
    // Checked before opening, so that no device, FIFO or socket is ever opened.
    if (!S_ISREG(st.st_mode)) return NotRead("not a regular file");
    const int fd = open(CAPTURE_FILE, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return NotRead(strerror(errno));
    // The name may have been swapped since the check: what was opened decides.
    const char* reason = nullptr;
    if (fstat(fd, &st) != 0)
        reason = strerror(errno);
    else if (!S_ISREG(st.st_mode))
        reason = "not a regular file";
    else if (st.st_size > CORVOUSB_CAPTURE_MAX_BYTES)
        reason = "larger than a capture can be";
    FILE* file = reason ? nullptr : fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        return NotRead(reason ? reason : strerror(errno));
    }
    *capture = {file, static_cast<long long>(st.st_size), 0, 0};
    return 1;
}

// Hands each block to the frame checker, which keeps a frame cut by the block boundary for the
// next block and counts lost frames, header and trailer errors as loop mode does. Every block
// but the last is whole, so a capture of N bytes gives N / 65535 + 1 blocks.
static void ReplayCapture(Capture* capture) {
    BeginProgress(PROGRESS_TITLE, "Replaying USB_LogFile2.bin...");
    for (;;) {
        long long want = capture->size - capture->taken;
        if (want > REPLAY_BLOCK_SIZE) want = REPLAY_BLOCK_SIZE;
        size_t bytes = fread(TmpBuffer, 1, static_cast<size_t>(want), capture->file);
        capture->taken += static_cast<long long>(bytes);
        int frames = USB_CheckFrames(TmpBuffer, static_cast<int>(bytes));
        if (frames > 0) SetNFrames(GetNFrames() + frames);
        InfoPrintf("%ld\n", static_cast<long>(GetNFrames()));
        if (bytes < REPLAY_BLOCK_SIZE) break;
        if (UpdateProgress(capture->taken, capture->size)) {
            capture->stopped = 1;
            break;
        }
    }
    EndProgress();
}

int SimulCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetNFrames(0);
    ResetLostFrames();
    ResetFrameErrors();
    ResetTotalByteCount();
    Capture capture;
    if (OpenCapture(&capture)) {
        ReplayCapture(&capture);
        fclose(capture.file);
        if (capture.stopped) ReportStop(capture.taken, capture.size);
    }
    InfoPrintf("Processed frames = %d\n", GetNFrames());
    InfoPrintf("Lost frames = %llu\n", GetLostFrames());
    InfoPrintf("Header errors = %llu\n", GetHeaderErrors());
    InfoPrintf("Trailer errors = %llu\n", GetTrailerErrors());
    return 0;
}

// The next byte of the capture, or EOF at its end, after a read error or once stopped.
static int TakeByte(Capture* capture) {
    if (capture->stopped || capture->taken >= capture->size) return EOF;
    if (capture->taken % SEARCH_PROGRESS_STEP == 0 &&
        UpdateProgress(capture->taken, capture->size)) {
        capture->stopped = 1;
        return EOF;
    }
    int byte = fgetc(capture->file);
    if (byte != EOF) ++capture->taken;
    return byte;
}

// Counts the AA FF FF sequences from the start, none overlapping. An AA reported at offset k
// shows k + 1, the number of bytes taken so far.
static int SearchMarkers(Capture* capture) {
    int count = 0;
    int byte;
    BeginProgress(PROGRESS_TITLE, "Searching USB_LogFile2.bin for AA FF FF...");
    while ((byte = TakeByte(capture)) != EOF) {
        if (byte != 0xAA) continue;
        // After an AA: another AA starts the sequence again, FF FF completes it.
        for (;;) {
            if ((byte = TakeByte(capture)) == EOF) break;
            if (byte == 0xFF) {
                if ((byte = TakeByte(capture)) == EOF) break;
                if (byte == 0xFF) ++count;
            }
            if (byte != 0xAA) break;
            InfoPrintf("AAh at %08X\n", static_cast<unsigned>(capture->taken));
        }
    }
    EndProgress();
    return count;
}

int AAFFButtonCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int count = 0;
    Capture capture;
    if (OpenCapture(&capture)) {
        count = SearchMarkers(&capture);
        fclose(capture.file);
        if (capture.stopped) ReportStop(capture.taken, capture.size);
    }
    InfoPrintf("count = %d\n", count);
    return 0;
}
