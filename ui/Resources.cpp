// Registers Kestrel's panel resources and callback names with the user-interface run-time.
#include "ui/Resources.h"

#include "ui/Callbacks.h"

void RegisterKestrelResources() {
    RegisterKestrelUIRPanels();
    RegisterProgWizUIRPanels();
    RegisterAboutPanels();
    uirt::SetCallbackResolver({.control = FindCtrlCallback, .menu = FindMenuCallback});
}
