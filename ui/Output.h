// The program's two ways of talking to the user: the information box and the "USB Error" box.
#pragma once

// Appends printf-formatted text to the main panel's information box. Output longer than the
// 131 characters of its buffer is cut. Returns the status of the text-box update.
int InfoPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The USB library's error function: shows the "USB Error" box, then stops loop mode; a board
// that left the bus goes to the hot-plug watch instead, while it runs (ui/BoardRemoval.h).
void Kestrel_PrintError(const char* text);
