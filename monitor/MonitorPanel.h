// The "Monitor" window: the loop's charts, figures and event log, the soak limits and
// "Save history...". Loaded on first use; kept up to date only while shown.
#pragma once

// Starts the run monitor (monitor/RunMonitor.h) with this window following it; call once at
// start-up, before any loop.
void StartMonitorPanel(void);

// Discards the window, if loaded; at shutdown, while the front end is still up.
void EndMonitorPanel(void);

// Test > Monitor...: shows the window, up to date.
void ShowMonitorCB(int menuBar, int menuItem, void* callbackData, int panel);

// The window's controls.
int MonitorWindowCB(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
int StopAfterCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
int OpenAtLoopStartCB(int panel, int control, int event, void* callbackData, int eventData1,
                      int eventData2);
int SaveHistoryCB(int panel, int control, int event, void* callbackData, int eventData1,
                  int eventData2);
int CloseMonitorCB(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
