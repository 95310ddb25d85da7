// The setup panel's "Reconnect automatically" check box (kestrel.ini: reconnect).
#pragma once

void ShowReconnectSetting(int panel);
// Commit: stores the check box's value as the setting.
int ReconnectChkCB(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
