// Link parameters and FIFO control: the setup panel's timing, buffer-size and framing controls.
#pragma once

// 1: transfers use the framed sub-address protocol ("Corvo"); 0: the raw FIFO ("None").
extern int EncapsulationState;

int LatTimerCB(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
int TxTimeoutCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
int RxTimeoutCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
int TxBufferSizeCB(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
int RxBufferSizeCB(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
int AsyncCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int CorvoFormatCB(int panel, int control, int event, void* callbackData, int eventData1,
                  int eventData2);
int PurgeUsbBufferCB(int panel, int control, int event, void* callbackData, int eventData1,
                     int eventData2);
int GetFifoStatusCB(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
