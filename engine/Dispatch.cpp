// Transfer request dispatch: the setup panel's transfer fields, "Apply" and the test options.
#include "engine/Dispatch.h"

#include "core/Kestrel_core.h"
#include "engine/UsbTest.h"
#include "platform/uirt/model/uirt.h"
#include "ui/ControlValue.h"
#include "ui/KestrelUIR.h"
#include "ui/Radio.h"
#include "ui/SetupPanel.h"

static int MarkedOption(int panel, int control) {
    int index = 0;
    Radio_GetMarkedOption(panel, control, &index);
    return index;
}

static void StoreTransferFields(int panel) {
    SetSubAddress(ControlValue(panel, SETUPPANEL_SUBADDRESS) & 0xFF);
    const int data = ControlValue(panel, SETUPPANEL_DATA);
    SetStartVal(data);
    SetCtrlVal(panel, SETUPPANEL_DATA, DataFieldValue(static_cast<unsigned>(data)));
    SetIncrement(ControlValue(panel, SETUPPANEL_INCREMENT));
    SetWordCount(ControlValue(panel, SETUPPANEL_WORDCOUNT));
    SetActiveCtrl(panel, SETUPPANEL_APPLYBTN);
}

int IOCallback(int panel, int control, int event, void*, int, int) {
    if (event == EVENT_VAL_CHANGED) StoreTransferFields(panel);
    // The numeric fields' commits are ignored: "Apply" uses what their last change stored.
    if (event == EVENT_COMMIT && control == SETUPPANEL_APPLYBTN) {
        SetLed2(1);
        RunTransferTest();
        SetLed2(0);
    }
    return 0;
}

int IOModeCB(int panel, int control, int event, void*, int, int) {
    if (event == EVENT_COMMIT) SetIOMode(MarkedOption(panel, control));
    return 0;
}

int ByteOrderCB(int panel, int control, int event, void*, int, int) {
    if (event == EVENT_COMMIT) SetMSBFirst(MarkedOption(panel, control));
    return 0;
}

int DataSizeCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const int size = MarkedOption(panel, control);
    SetWordSize(size);
    SetCtrlAttribute(panel, SETUPPANEL_DATA, ATTR_MIN_DIGITS, DataDigits(size));
    SetCtrlVal(panel, SETUPPANEL_DATA, DataShown(size, static_cast<unsigned>(GetStartVal())));
    return 0;
}

int DataTypeCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const int pattern = MarkedOption(panel, control);
    SetPatternMode(pattern);
    SetCtrlAttribute(panel, SETUPPANEL_PATTERNRING, ATTR_DIMMED, pattern == 0);
    const unsigned value = static_cast<unsigned>(ControlValue(panel, SETUPPANEL_PATTERNRING));
    if (pattern != 0) {
        SetIncrement(0);
        SetStartVal(static_cast<int>(value));
        SetCtrlVal(panel, SETUPPANEL_DATA, value);
    } else {
        // The increment chosen before pattern mode is not restored.
        SetIncrement(1);
        SetCtrlVal(panel, SETUPPANEL_INCREMENT, 1);
        SetCtrlVal(panel, SETUPPANEL_DATA, DataFieldValue(static_cast<unsigned>(GetStartVal())));
    }
    // Pattern mode fixes the data, the word width and the increment.
    SetCtrlAttribute(panel, SETUPPANEL_DATA, ATTR_DIMMED, pattern != 0);
    SetCtrlAttribute(panel, SETUPPANEL_DATASZRADIO, ATTR_DIMMED, pattern != 0);
    SetCtrlAttribute(panel, SETUPPANEL_INCREMENT, ATTR_DIMMED, pattern != 0);
    return 0;
}

int PatternCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const unsigned value = static_cast<unsigned>(ControlValue(panel, control));
    SetStartVal(static_cast<int>(value));
    SetCtrlVal(panel, SETUPPANEL_DATA, value);
    return 0;
}

int PrintChkCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const int print = ControlValue(panel, control);
    SetPrintState(print);
    SetCtrlAttribute(panel, SETUPPANEL_SHORTPRINT, ATTR_DIMMED, print == 0);
    return 0;
}

int ShortPrintChkCB(int panel, int control, int event, void*, int, int) {
    if (event == EVENT_COMMIT) SetShortPrint(ControlValue(panel, control));
    return 0;
}
