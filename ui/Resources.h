// Registers Kestrel's panel resources with the user-interface run-time.
#pragma once

#include "platform/uirt/model/resource.h"

// Registers the panels of "KestrelUIR.uir", "ProgWizUIR.uir" and "About.uir". Call once before
// loading panels; calling it again is harmless. Their callback names are bound by the resolver
// that app/ installs (app/Callbacks.h).
void RegisterKestrelResources();

// One per resource file; RegisterKestrelResources calls all three.
void RegisterKestrelUIRPanels();
void RegisterProgWizUIRPanels();
void RegisterAboutPanels();
void RegisterMonitorPanels();
