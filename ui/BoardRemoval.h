// A board that left the bus under a running loop: handed to the hot-plug watch instead of a
// "USB Error" box, while that watch runs.
#pragma once

// Installs the handler (null removes it). It returns 1 when it took the removal in hand.
void SetBoardRemovalHandler(int (*handler)(void));
// For the error function: 1 when the library's last error says the board left the bus and the
// handler took it in hand, so that no box is shown.
int BoardRemovalHandled(void);
