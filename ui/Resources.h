// Registers Kestrel's panel resources and callback names with the user-interface run-time.
#pragma once

#include "platform/uirt/model/resource.h"

// Registers the panels of "KestrelUIR.uir", "ProgWizUIR.uir" and "About.uir" and binds their
// callback names through the callback table (Callbacks.h). Call once before loading panels;
// calling it again is harmless.
void RegisterKestrelResources();

// One per resource file; RegisterKestrelResources calls all three.
void RegisterKestrelUIRPanels();
void RegisterProgWizUIRPanels();
void RegisterAboutPanels();
