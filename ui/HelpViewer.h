// The help viewer on this platform: the HTML help pages shown in the run-time's help window.
#pragma once

#include "ui/Help.h"

// Finds the folder that holds the help pages (FindProgramHelpBase). Returns the viewer's entry,
// or null when there is none.
HelpViewerEntry LoadHelpViewer(void);
