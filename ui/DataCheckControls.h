// The setup panel's "Data check" group: Verify, pseudo-random data and its sequence.
#pragma once

// Shows the data-check settings (core/AdditionSettings.h) in the group's controls.
void ShowDataCheckSettings(int panel);

// Commit callbacks: each stores its control's value as its setting.
int VerifyChkCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
int PrbsDataChkCB(int panel, int control, int event, void* callbackData, int eventData1,
                  int eventData2);
int PrbsOrderCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
