// Offline diagnostics of the frame capture "USB_LogFile2.bin": replay and marker search.
#pragma once

// Destination of each replayed block.
enum { TMP_BUFFER_SIZE = 0x10001 };
extern unsigned char TmpBuffer[TMP_BUFFER_SIZE];

// Both read the capture only when it is a regular file no larger than the library's capture
// limit (anything else is named in the information box, unread), show a progress box with Stop
// when they run over a second, and report a stop with the bytes read.
//
// "Simulation": replays the capture block by block through the library's frame checker into
// the frame counters, printing the running frame total and a summary.
int SimulCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
// "Seachr AAFFFF": counts the AA FF FF sequences of the capture and reports each AA byte that
// comes where a sequence was expected to go on.
int AAFFButtonCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
