// Long work inside a callback: a progress box with a Stop button once it runs over a second.
#pragma once

// Starts timing long work. Should it run over a second, a box titled `title` shows `text`, how
// much is done and a Stop button (Esc presses it), and the program's windows are kept painted.
void BeginProgress(const char* title, const char* text);
// Says that `done` of `total` is done. Returns 1 when the work should stop: the user pressed Stop
// or the program was asked to quit by a signal; 0 to go on. Cheap enough to call per byte
// written: it reads a clock and handles the window's events at most every 50 ms.
int UpdateProgress(long long done, long long total);
// Ends the work and closes the box, if it was shown.
void EndProgress(void);
