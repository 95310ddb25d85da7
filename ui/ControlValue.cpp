// The value of a numeric control, check box, switch or ring, read in one call.
#include "ui/ControlValue.h"

#include "platform/uirt/model/uirt.h"

int ControlValue(int panel, int control) {
    int value = 0;
    GetCtrlVal(panel, control, &value);
    return value;
}
