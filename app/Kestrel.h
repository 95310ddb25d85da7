// Start-up and shutdown, the program's two ways of talking to the user, and the panel handles.
#pragma once

// Runs Kestrel: start-up, the event loop, shutdown. Returns the process exit code: 0 after a
// normal run (also after the buffer allocation failure), -1 when start-up fails before the
// panels are up.
int KestrelMain(void);

// Appends printf-formatted text to the main panel's information box. Output longer than the
// 131 characters of its buffer is cut. Returns the status of the text-box update.
int InfoPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The USB library's error function: shows the "USB Error" box, then stops loop mode.
void Kestrel_PrintError(const char* text);

int GetMainPanelHandle(void);
int GetSetupPanelHandle(void);
int GetAboutPanelHandle(void);
