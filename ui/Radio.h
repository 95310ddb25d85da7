// Radio groups: tree controls shown as a vertical list of options with exactly one marked.
#pragma once

// Turns the tree control into a radio group: radio marks, transparent background, no frame,
// sized to fit its options. Returns the control, or the first negative status.
int Radio_ConvertFromTree(int panel, int control);
// Index of the first marked option into *index (-1 when none); returns the search's status.
int Radio_GetMarkedOption(int panel, int control, int* index);
// Marks option `index` (the others are cleared); returns the call's status.
int Radio_SetMarkedOption(int panel, int control, int index);
