// Constants of "Monitor.uir": the run monitor's window (an addition).
#pragma once

inline constexpr int MONITORPANEL = 1;

inline constexpr int MONITORPANEL_RATECHART = 2;
inline constexpr int MONITORPANEL_ERRORCHART = 3;
inline constexpr int MONITORPANEL_WINDOWRING = 4;
inline constexpr int MONITORPANEL_ELAPSED = 5;
inline constexpr int MONITORPANEL_TOTALBYTES = 6;
inline constexpr int MONITORPANEL_MEANRATE = 7;
inline constexpr int MONITORPANEL_MINRATE = 8;
inline constexpr int MONITORPANEL_MAXRATE = 9;
inline constexpr int MONITORPANEL_ERRORS = 10;
inline constexpr int MONITORPANEL_SINCEERROR = 11;
inline constexpr int MONITORPANEL_LOGCAPTION = 12;
inline constexpr int MONITORPANEL_EVENTLOG = 13;
inline constexpr int MONITORPANEL_STOPMINUTES = 14;
inline constexpr int MONITORPANEL_STOPERRORS = 15;
inline constexpr int MONITORPANEL_OPENATSTART = 16;
inline constexpr int MONITORPANEL_SAVEBTN = 17;
inline constexpr int MONITORPANEL_CLOSEBTN = 18;
inline constexpr int MONITORPANEL_SOAKFRAME = 19;
inline constexpr int MONITORPANEL_SOAKCAPTION = 20;
