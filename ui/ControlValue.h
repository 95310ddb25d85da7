// The value of a numeric control, check box, switch or ring, read in one call.
#pragma once

// The value of `control` on `panel` as an int (an unsigned control's bits unchanged); 0 when the
// control cannot be read.
int ControlValue(int panel, int control);
