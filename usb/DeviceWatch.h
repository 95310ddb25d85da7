// Hot-plugging: the library's device events, watched in the event loop, keep the device list
// current while Kestrel runs.
#pragma once

// Once the panels are up and the first connection is made: watches the device events. When
// there are none, says once that the list changes only on "Scan USB bus".
void StartDeviceWatch(void);
// At shutdown.
void StopDeviceWatch(void);
