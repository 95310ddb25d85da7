// The help viewer on this platform: the HTML help pages shown in the run-time's help window.
#pragma once

#include "ui/Help.h"

#include <cstddef>

// Finds the folder that holds the help pages (FindProgramHelpBase). Returns the viewer's entry,
// or null when there is none.
HelpViewerEntry LoadHelpViewer(void);

// The largest help page shown; the pages are a few kilobytes.
enum { HELP_PAGE_MAX_BYTES = 4 << 20 };
// Shows an HTML file in the help window when it is a regular file of at most
// HELP_PAGE_MAX_BYTES; returns the window id, or 0 when it is not shown.
int ShowHelpFile(const char* file);
// The file a help path ("Help\\X.chm::/topic") names, for the user: under the folder found by
// LoadHelpViewer, or relative ("Help/X/topic") before one is found.
void HelpPageName(const char* path, char* name, size_t size);
