// The handles of the main, setup and about panels, loaded at start-up and kept until shutdown.
#pragma once

int GetMainPanelHandle(void);
int GetSetupPanelHandle(void);
int GetAboutPanelHandle(void);
// Start-up stores the three handles once the panels are loaded (-1 before, and after shutdown).
void SetPanelHandles(int mainPanel, int setupPanel, int aboutPanel);
