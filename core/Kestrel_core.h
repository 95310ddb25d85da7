// The board-settings record tBoard, its accessors, and the kestrel.cfg reader and writer.
#pragma once

#include <cstddef>

// Room in the record's text fields, terminator excluded.
enum { SERNUM_MAX_CHARS = 9, DEVDESC_MAX_CHARS = 64 };
// Size of the interface buffer that extended reads receive into.
enum { INTERFACE_BUFFER_SIZE = 262144 };

typedef struct {
    int UsbId;
    char SerNum[SERNUM_MAX_CHARS + 1];
    char DevDesc[DEVDESC_MAX_CHARS + 1];
    int LatTimer;
    int TxTimeout;
    int RxTimeout;
    int TxBuffer;
    int RxBuffer;
    unsigned char* InterfaceBuffer;
    int IOMode;
    char SubAddress;
    int StartVal;
    int Increment;
    int WordCount;
    int WordSize;
    int MSBFirst;
    int PatternMode;
    int PatternPos;
    int PrintState;
    int ShortPrint;
    int LoopState;
    int LoopTime;
    int LoopTimePos;
    int InterruptState;
    int ShowEpromState;
    int FakeError;
    int TotalBytes;
    int NFrames;
} TestBoard;

void InitTestBoard(void);

int GetUsbId(void);
void SetUsbId(int id);
char* GetSerNum(void);
void SetSerNum(const char* serNum);
char* GetDevDesc(void);
void SetDevDesc(const char* devDesc);
int GetLatTimer(void);
void SetLatTimer(int ms);
int GetTxTimeout(void);
void SetTxTimeout(int ms);
int GetRxTimeout(void);
void SetRxTimeout(int ms);
int GetTxBuffer(void);
void SetTxBuffer(int bytes);
int GetRxBuffer(void);
void SetRxBuffer(int bytes);
int GetIOMode(void);
void SetIOMode(int mode);
int GetSubAddress(void);
void SetSubAddress(int subAddress);
int GetStartVal(void);
void SetStartVal(int value);
int GetIncrement(void);
void SetIncrement(int increment);
int GetWordCount(void);
void SetWordCount(int count);
int GetWordSize(void);
void SetWordSize(int size);
int IsMSBFirst(void);
void SetMSBFirst(int msbFirst);
int GetPatternMode(void);
void SetPatternMode(int mode);
int GetPatternPos(void);
void SetPatternPos(int pos);
int GetPrintState(void);
void SetPrintState(int state);
int GetShortPrint(void);
void SetShortPrint(int state);
int GetLoopState(void);
void SetLoopState(int state);
int GetLoopTime(void);
void SetLoopTime(int ms);
int GetLoopTimePos(void);
void SetLoopTimePos(int pos);
int GetInt_State(void);
void SetInterruptState(int state);
int GetShowEpromState(void);
void SetShowEpromState(int state);
int GetFakeError(void);
void SetFakeError(int state);
int GetTotalBytes(void);
void SetTotalBytes(int total);
void IncTotalBytes(int bytes);
int GetNFrames(void);
void SetNFrames(int frames);

unsigned char* InterfaceBufferAlloc(void);
unsigned char* GetInterfaceBuffer(void);
void InterfaceBufferFree(void);
// Test seam: the allocator InterfaceBufferAlloc uses (null restores malloc). The block is
// always released with free().
void SetInterfaceBufferAllocator(void* (*allocator)(size_t));

// kestrel.cfg in the working directory. Only a regular file of at most 64 KiB is read or
// replaced, and a save never writes what the user may not.
int ReadConfig(void);
int SaveConfig(void);
// Why the last ReadConfig or SaveConfig left kestrel.cfg alone, as a sentence naming the file;
// "" when there was nothing to tell (a missing file at start-up is no problem).
const char* GetConfigProblem(void);
