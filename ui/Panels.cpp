// The three panel handles shared by every module.
#include "ui/Panels.h"

static int mainPanelHandle = -1;
static int setupPanelHandle = -1;
static int aboutPanelHandle = -1;

int GetMainPanelHandle(void) {
    return mainPanelHandle;
}
int GetSetupPanelHandle(void) {
    return setupPanelHandle;
}
int GetAboutPanelHandle(void) {
    return aboutPanelHandle;
}

void SetPanelHandles(int mainPanel, int setupPanel, int aboutPanel) {
    mainPanelHandle = mainPanel;
    setupPanelHandle = setupPanel;
    aboutPanelHandle = aboutPanel;
}
