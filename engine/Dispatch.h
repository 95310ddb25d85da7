// The setup panel's transfer controls: the four fields and "Apply", and the test options.
#pragma once

// Value changed on the sub-address, data, increment or word count field: stores all four.
// Commit on "Apply": runs one transfer test with the activity lamp lit.
int IOCallback(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
// Commit on the radio groups: I/O mode, byte order, data size, data type.
int IOModeCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int ByteOrderCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
int DataSizeCB(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
int DataTypeCB(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
// Commit on the pattern ring, "Print" and "Short display".
int PatternCB(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
int PrintChkCB(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
int ShortPrintChkCB(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
