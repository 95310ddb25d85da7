// Registers Kestrel's panel resources with the user-interface run-time.
#include "ui/Resources.h"

void RegisterKestrelResources() {
    RegisterKestrelUIRPanels();
    RegisterProgWizUIRPanels();
    RegisterAboutPanels();
    RegisterMonitorPanels();
}
