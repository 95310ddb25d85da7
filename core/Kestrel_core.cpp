// The one board-settings record and its accessors.
#include "core/Kestrel_core.h"

#include <cstdlib>
#include <cstring>

static TestBoard tBoard;

// Copies text into a record field of the given capacity, cutting what does not fit.
static void CopyBounded(char* field, size_t capacity, const char* text) {
    size_t n = strnlen(text, capacity - 1);
    memcpy(field, text, n);
    field[n] = '\0';
}

void InitTestBoard(void) {
    tBoard.UsbId = -1;
    tBoard.SerNum[0] = '\0';
    CopyBounded(tBoard.DevDesc, sizeof tBoard.DevDesc, "New Corvo Board");
    tBoard.LatTimer = 2;
    tBoard.TxTimeout = 1000;
    tBoard.RxTimeout = 1000;
    tBoard.TxBuffer = 4096;
    tBoard.RxBuffer = 32768;
    tBoard.InterfaceBuffer = nullptr;
    tBoard.IOMode = 0;
    tBoard.SubAddress = 0;
    tBoard.StartVal = 0;
    tBoard.Increment = 1;
    tBoard.WordCount = 1;
    tBoard.WordSize = 0;
    tBoard.MSBFirst = 0;
    tBoard.PatternMode = 0;
    tBoard.PatternPos = 0;
    tBoard.PrintState = 1;
    tBoard.ShortPrint = 1;
    tBoard.LoopState = 0;
    tBoard.LoopTime = 2;
    tBoard.LoopTimePos = 0;
    tBoard.InterruptState = 1;
    tBoard.ShowEpromState = 0;
    tBoard.FakeError = 1;
    tBoard.TotalBytes = 0;
    tBoard.NFrames = 0;
}

int GetUsbId(void) {
    return tBoard.UsbId;
}
void SetUsbId(int id) {
    tBoard.UsbId = id;
}

char* GetSerNum(void) {
    return tBoard.SerNum;
}
void SetSerNum(const char* serNum) {
    if (serNum != nullptr) CopyBounded(tBoard.SerNum, sizeof tBoard.SerNum, serNum);
}

char* GetDevDesc(void) {
    return tBoard.DevDesc;
}
void SetDevDesc(const char* devDesc) {
    if (devDesc != nullptr) CopyBounded(tBoard.DevDesc, sizeof tBoard.DevDesc, devDesc);
}

int GetLatTimer(void) {
    return tBoard.LatTimer;
}
void SetLatTimer(int ms) {
    tBoard.LatTimer = ms;
}
int GetTxTimeout(void) {
    return tBoard.TxTimeout;
}
void SetTxTimeout(int ms) {
    tBoard.TxTimeout = ms;
}
int GetRxTimeout(void) {
    return tBoard.RxTimeout;
}
void SetRxTimeout(int ms) {
    tBoard.RxTimeout = ms;
}
int GetTxBuffer(void) {
    return tBoard.TxBuffer;
}
void SetTxBuffer(int bytes) {
    tBoard.TxBuffer = bytes;
}
int GetRxBuffer(void) {
    return tBoard.RxBuffer;
}
void SetRxBuffer(int bytes) {
    tBoard.RxBuffer = bytes;
}
int GetIOMode(void) {
    return tBoard.IOMode;
}
void SetIOMode(int mode) {
    tBoard.IOMode = mode;
}

// The sub-address is a signed byte: the setter keeps the low 8 bits, the getter sign-extends.
int GetSubAddress(void) {
    return static_cast<signed char>(tBoard.SubAddress);
}
void SetSubAddress(int subAddress) {
    tBoard.SubAddress = static_cast<char>(subAddress & 0xFF);
}

int GetStartVal(void) {
    return tBoard.StartVal;
}
void SetStartVal(int value) {
    tBoard.StartVal = value;
}
int GetIncrement(void) {
    return tBoard.Increment;
}
void SetIncrement(int increment) {
    tBoard.Increment = increment;
}
int GetWordCount(void) {
    return tBoard.WordCount;
}
void SetWordCount(int count) {
    tBoard.WordCount = count;
}
int GetWordSize(void) {
    return tBoard.WordSize;
}
void SetWordSize(int size) {
    tBoard.WordSize = size;
}
int IsMSBFirst(void) {
    return tBoard.MSBFirst;
}
void SetMSBFirst(int msbFirst) {
    tBoard.MSBFirst = msbFirst;
}
int GetPatternMode(void) {
    return tBoard.PatternMode;
}
void SetPatternMode(int mode) {
    tBoard.PatternMode = mode;
}
int GetPatternPos(void) {
    return tBoard.PatternPos;
}
void SetPatternPos(int pos) {
    tBoard.PatternPos = pos;
}
int GetPrintState(void) {
    return tBoard.PrintState;
}
void SetPrintState(int state) {
    tBoard.PrintState = state;
}
int GetShortPrint(void) {
    return tBoard.ShortPrint;
}
void SetShortPrint(int state) {
    tBoard.ShortPrint = state;
}
int GetLoopState(void) {
    return tBoard.LoopState;
}
void SetLoopState(int state) {
    tBoard.LoopState = state;
}
int GetLoopTime(void) {
    return tBoard.LoopTime;
}
void SetLoopTime(int ms) {
    tBoard.LoopTime = ms;
}
int GetLoopTimePos(void) {
    return tBoard.LoopTimePos;
}
void SetLoopTimePos(int pos) {
    tBoard.LoopTimePos = pos;
}
int GetInt_State(void) {
    return tBoard.InterruptState;
}
void SetInterruptState(int state) {
    tBoard.InterruptState = state;
}
int GetShowEpromState(void) {
    return tBoard.ShowEpromState;
}
void SetShowEpromState(int state) {
    tBoard.ShowEpromState = state;
}
int GetFakeError(void) {
    return tBoard.FakeError;
}
void SetFakeError(int state) {
    tBoard.FakeError = state;
}
int GetTotalBytes(void) {
    return tBoard.TotalBytes;
}
void SetTotalBytes(int total) {
    tBoard.TotalBytes = total;
}
// Wraps like the 32-bit counter it is instead of overflowing.
void IncTotalBytes(int bytes) {
    tBoard.TotalBytes =
        static_cast<int>(static_cast<unsigned>(tBoard.TotalBytes) + static_cast<unsigned>(bytes));
}
int GetNFrames(void) {
    return tBoard.NFrames;
}
void SetNFrames(int frames) {
    tBoard.NFrames = frames;
}

static void* (*bufferAllocator)(size_t) = malloc;

void SetInterfaceBufferAllocator(void* (*allocator)(size_t)) {
    bufferAllocator = allocator != nullptr ? allocator : malloc;
}

unsigned char* InterfaceBufferAlloc(void) {
    InterfaceBufferFree();
    tBoard.InterfaceBuffer = static_cast<unsigned char*>(bufferAllocator(INTERFACE_BUFFER_SIZE));
    return tBoard.InterfaceBuffer;
}

unsigned char* GetInterfaceBuffer(void) {
    return tBoard.InterfaceBuffer;
}

void InterfaceBufferFree(void) {
    if (tBoard.InterfaceBuffer != nullptr) {
        free(tBoard.InterfaceBuffer);
        tBoard.InterfaceBuffer = nullptr;
    }
}
