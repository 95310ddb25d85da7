// Start-up, the event loop and shutdown.
#pragma once

// Runs Kestrel: start-up, the event loop, shutdown. Returns the process exit code: 0 after a
// normal run (also after the buffer allocation failure), -1 when start-up fails before the
// panels are up. showMaintenance non-zero shows the setup panel's maintenance buttons.
// windowArgs: the program name and the window system's options, null-terminated (null: none).
int KestrelMain(int showMaintenance = 0, char** windowArgs = nullptr);
