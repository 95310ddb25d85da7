// Help menu: the program's and the USB library's help pages, shown by a viewer loaded on first use.
#pragma once

// The viewer's entry: owner window (0: the desktop), help path ("Help\\X.chm::/topic"), command
// (0: show the topic) and data. Returns the help window's id, or 0 when no window opens.
using HelpViewerEntry = int (*)(int owner, const char* path, int command, int data);
// Loads the help viewer and returns its entry, or null when the viewer cannot be had.
using HelpViewerLoader = HelpViewerEntry (*)(void);

// Help > Contents: Kestrel's help. Help > CorvoUsb help: the USB library's help.
void HelpContents(int menuBar, int menuItem, void* callbackData, int panel);
void HelpCorvoUsb(int menuBar, int menuItem, void* callbackData, int panel);
// Shows a help path on the desktop; returns HtmlHelpA's result. When no window opens, a "Help"
// message names the page that could not be shown.
int HelpStart(const char* path);
// Loads the viewer on the first call and hands it the four arguments. Once loading has failed,
// every call returns 0 at once. The viewer stays loaded until the program ends.
int HtmlHelpA(int owner, const char* path, int command, int data);

// Test seam: the loader HtmlHelpA uses (null: the platform's help window); forgets a loaded
// viewer and a failed load.
void SetHelpViewerLoader(HelpViewerLoader loader);
