// The help viewer on this platform: the HTML help pages shown in the run-time's help window.
#pragma once

#include "ui/Help.h"

// Finds the folder that holds the help pages: "Help" next to the executable (the build copies
// it there), else the source tree's. Returns the viewer's entry, or null when neither exists.
HelpViewerEntry LoadHelpViewer(void);
