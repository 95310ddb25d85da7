// Start-up, the event loop and shutdown.
#pragma once

// Runs Kestrel: start-up, the event loop, shutdown. Returns the process exit code: 0 after a
// normal run (also after the buffer allocation failure), -1 when start-up fails before the
// panels are up. showMaintenance non-zero shows the setup panel's maintenance buttons.
// windowArgs: the program name and the window system's options, null-terminated (null: none).
int KestrelMain(int showMaintenance = 0, char** windowArgs = nullptr);

// The pieces of start-up that the windowless commands share, in start-up order:
// Registers the panels and callbacks, starts the run-time, loads the main, setup and about
// panels and makes the setup panel's radio groups. Returns 0, or -1 when one cannot be had.
int OpenKestrelPanels(int showMaintenance, char** windowArgs);
// Marks the byte order from the settings, shows the two panels, starts the stopwatch and
// installs the information box and the error box as the USB library's output.
void ShowPanelsAndHookLibrary(void);
// Lists every device on the bus, opens the configured one and fills the setup panel.
void ConnectDevices(void);
