// What a change on the bus means for Kestrel: the device list made current, the open board
// leaving (its loop stopped, disconnected) and its return (reopened, loop resumed).
#pragma once

// The bus may have changed: lists it again; notices the open board leaving, and the return of
// the board that left when "Reconnect automatically" is ticked.
void BusChanged(void);
// A library call of a running loop found the open board gone: handled as its leaving, without a
// box (one per tick otherwise). 1 when handled, 0 when no loop runs on an open board.
int BoardRemovedInUse(void);
