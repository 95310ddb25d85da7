// Constants of "ProgWizUIR.uir": the six pages of the EEPROM programming wizard.
#pragma once

inline constexpr int PANEL = 1;
inline constexpr int PANEL_2 = 2;
inline constexpr int PANEL_3 = 3;
inline constexpr int PANEL_4 = 4;
inline constexpr int PANEL_5 = 5;
inline constexpr int PANEL_6 = 6;

inline constexpr int PANEL_PICTURE = 2;
inline constexpr int PANEL_NEXTBTN = 3;
inline constexpr int PANEL_PREVBTN = 4;
inline constexpr int PANEL_CANCELBTN = 5;
inline constexpr int PANEL_SPLITTER_2 = 6;
inline constexpr int PANEL_SPLITTER = 7;
inline constexpr int PANEL_TEXTBOX = 8;
inline constexpr int PANEL_TEXTMSG = 9;

inline constexpr int PANEL_2_PICTURE = 2;
inline constexpr int PANEL_2_NEXTBTN = 3;
inline constexpr int PANEL_2_BACKBTN = 4;
inline constexpr int PANEL_2_CANCELBTN = 5;
inline constexpr int PANEL_2_SPLITTER_2 = 6;
inline constexpr int PANEL_2_SPLITTER = 7;
inline constexpr int PANEL_2_DEVDESCSTR = 8;
inline constexpr int PANEL_2_TEXTMSG = 9;

inline constexpr int PANEL_3_PICTURE = 2;
inline constexpr int PANEL_3_NEXTBTN = 3;
inline constexpr int PANEL_3_BACKBTN = 4;
inline constexpr int PANEL_3_CANCELBTN = 5;
inline constexpr int PANEL_3_SPLITTER_2 = 6;
inline constexpr int PANEL_3_SPLITTER = 7;
inline constexpr int PANEL_3_TEXTMSG = 8;
inline constexpr int PANEL_3_SERNUMSTR = 9;
inline constexpr int PANEL_3_SERNUMNOTE = 10;

inline constexpr int PANEL_4_PICTURE = 2;
inline constexpr int PANEL_4_NEXTBTN = 3;
inline constexpr int PANEL_4_BACKBTN = 4;
inline constexpr int PANEL_4_CANCELBTN = 5;
inline constexpr int PANEL_4_SPLITTER_2 = 6;
inline constexpr int PANEL_4_SPLITTER = 7;
inline constexpr int PANEL_4_TEXTMSG = 8;
inline constexpr int PANEL_4_MAXPOWER = 9;
inline constexpr int PANEL_4_RADIOGROUP = 10;

inline constexpr int PANEL_5_PICTURE = 2;
inline constexpr int PANEL_5_NEXTBTN = 3;
inline constexpr int PANEL_5_BACKBTN = 4;
inline constexpr int PANEL_5_CANCELBTN = 5;
inline constexpr int PANEL_5_SPLITTER_2 = 6;
inline constexpr int PANEL_5_SPLITTER = 7;
inline constexpr int PANEL_5_TEXTMSG = 8;
inline constexpr int PANEL_5_DRIVECURRENT = 9;

inline constexpr int PANEL_6_PICTURE = 2;
inline constexpr int PANEL_6_CANCELBTN = 3;
inline constexpr int PANEL_6_FINISHBTN = 4;
inline constexpr int PANEL_6_BACKBTN = 5;
inline constexpr int PANEL_6_SPLITTER_2 = 6;
inline constexpr int PANEL_6_SPLITTER = 7;
inline constexpr int PANEL_6_TEXTBOX = 8;
inline constexpr int PANEL_6_TEXTMSG = 9;
