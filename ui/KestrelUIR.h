// Constants of "KestrelUIR.uir": the main panel with its menu bar, and the setup panel.
#pragma once

// Panels (resource index in the file).
inline constexpr int MAINPANEL = 1;
inline constexpr int SETUPPANEL = 2;

inline constexpr int MAINPANEL_INFOTEXTBOX = 2;
inline constexpr int MAINPANEL_QUITBTN = 3;

inline constexpr int SETUPPANEL_CMDREFRESH = 2;
inline constexpr int SETUPPANEL_APPLYBTN = 3;
inline constexpr int SETUPPANEL_IOMODE = 4;
inline constexpr int SETUPPANEL_SUBADDRESS = 5;
inline constexpr int SETUPPANEL_DATA = 6;
inline constexpr int SETUPPANEL_INCREMENT = 7;
inline constexpr int SETUPPANEL_WORDCOUNT = 8;
inline constexpr int SETUPPANEL_DATATYPERADIO = 9;
inline constexpr int SETUPPANEL_DATASZRADIO = 10;
inline constexpr int SETUPPANEL_DEV_INDEX = 11;
inline constexpr int SETUPPANEL_BYTEORDERRADIO = 12;
inline constexpr int SETUPPANEL_LOOPCHECKBOX = 13;
inline constexpr int SETUPPANEL_LOOPRING = 14;
inline constexpr int SETUPPANEL_SHORTPRINT = 15;
inline constexpr int SETUPPANEL_PRINTCHK = 16;
inline constexpr int SETUPPANEL_EEPROMCHK = 17;
inline constexpr int SETUPPANEL_BINARYSWITCH = 18;
inline constexpr int SETUPPANEL_RESETBTN = 19;
inline constexpr int SETUPPANEL_SERNUMTXT = 20;
inline constexpr int SETUPPANEL_PROGRAMBTN = 21;
inline constexpr int SETUPPANEL_RDEEPROMBTN = 22;
inline constexpr int SETUPPANEL_LATTIMER = 23;
inline constexpr int SETUPPANEL_WRTIMEOUT = 24;
inline constexpr int SETUPPANEL_RDTIMEOUT = 25;
inline constexpr int SETUPPANEL_TXBUFSZ = 26;
inline constexpr int SETUPPANEL_RXBUFSZ = 27;
inline constexpr int SETUPPANEL_CLOSEBTN = 28;
inline constexpr int SETUPPANEL_DECORATION = 29;
inline constexpr int SETUPPANEL_DECORATION_2 = 30;
inline constexpr int SETUPPANEL_TEXTMSG = 31;
inline constexpr int SETUPPANEL_SPLITTER = 32;
inline constexpr int SETUPPANEL_PATTERNRING = 33;
inline constexpr int SETUPPANEL_DECORATION_4 = 34;
inline constexpr int SETUPPANEL_DECORATION_5 = 35;
inline constexpr int SETUPPANEL_TEXTMSG_3 = 36;
inline constexpr int SETUPPANEL_DECORATION_6 = 37;
inline constexpr int SETUPPANEL_TEXTMSG_7 = 38;
inline constexpr int SETUPPANEL_TEXTMSG_8 = 39;
inline constexpr int SETUPPANEL_SPLITTER_3 = 40;
inline constexpr int SETUPPANEL_SPLITTER_2 = 41;
inline constexpr int SETUPPANEL_DECORATION_8 = 42;
inline constexpr int SETUPPANEL_DECORATION_9 = 43;
inline constexpr int SETUPPANEL_TEXTMSG_5 = 44;
inline constexpr int SETUPPANEL_TEXTMSG_6 = 45;
inline constexpr int SETUPPANEL_PICTURE = 46;
inline constexpr int SETUPPANEL_TIMER = 47;
inline constexpr int SETUPPANEL_TEXTMSG_9 = 48;
inline constexpr int SETUPPANEL_LED_2 = 49;
inline constexpr int SETUPPANEL_TEXTMSG_2 = 50;
inline constexpr int SETUPPANEL_DECORATION_3 = 51;
inline constexpr int SETUPPANEL_LSTDEVICES = 52;
inline constexpr int SETUPPANEL_LED = 53;
inline constexpr int SETUPPANEL_TEXTMSG_10 = 54;
inline constexpr int SETUPPANEL_DISCONNECT = 55;
inline constexpr int SETUPPANEL_DECORATION_10 = 56;
inline constexpr int SETUPPANEL_TEXTMSG_4 = 57;
inline constexpr int SETUPPANEL_TEXTMSG_11 = 58;
inline constexpr int SETUPPANEL_DECORATION_11 = 59;
inline constexpr int SETUPPANEL_DECORATION_7 = 60;
inline constexpr int SETUPPANEL_ASYNC_CHK = 61;
inline constexpr int SETUPPANEL_SPEED_BTN = 62;
inline constexpr int SETUPPANEL_SIMUL_BTN = 63;
inline constexpr int SETUPPANEL_COMMANDBUTTON = 64;
inline constexpr int SETUPPANEL_PURGEFIFOBTN = 65;
inline constexpr int SETUPPANEL_FIFOSTATBTN = 66;
// The "Data check" group (an addition).
inline constexpr int SETUPPANEL_DECORATION_12 = 67;
inline constexpr int SETUPPANEL_TEXTMSG_12 = 68;
inline constexpr int SETUPPANEL_VERIFYCHK = 69;
inline constexpr int SETUPPANEL_PRBSCHK = 70;
inline constexpr int SETUPPANEL_PRBSRING = 71;
// Hot-plugging (an addition).
inline constexpr int SETUPPANEL_RECONNECTCHK = 72;

// Menu bar of the main panel.
inline constexpr int MENUBAR = 1;
inline constexpr int MENUBAR_FILEMENU = 2;
inline constexpr int MENUBAR_FILEMENU_OPENF = 3;
inline constexpr int MENUBAR_FILEMENU_SEPARATOR_4 = 4;
inline constexpr int MENUBAR_FILEMENU_SAVE = 5;
inline constexpr int MENUBAR_FILEMENU_SAVEAS = 6;
inline constexpr int MENUBAR_FILEMENU_SEPARATOR_5 = 7;
inline constexpr int MENUBAR_FILEMENU_PRINT = 8;
inline constexpr int MENUBAR_FILEMENU_SEPARATOR_6 = 9;
inline constexpr int MENUBAR_FILEMENU_EXIT = 10;
inline constexpr int MENUBAR_EDIT = 11;
inline constexpr int MENUBAR_EDIT_PASTE = 12;
inline constexpr int MENUBAR_EDIT_CUT = 13;
inline constexpr int MENUBAR_EDIT_COPY = 14;
inline constexpr int MENUBAR_EDIT_SEPARATOR_7 = 15;
inline constexpr int MENUBAR_EDIT_SELALL = 16;
inline constexpr int MENUBAR_TESTMENU = 17;
inline constexpr int MENUBAR_TESTMENU_SHOWDLG = 18;
inline constexpr int MENUBAR_TESTMENU_SEPARATOR = 19;
inline constexpr int MENUBAR_TESTMENU_ERASE = 20;
inline constexpr int MENUBAR_TESTMENU_PROGRAM = 21;
inline constexpr int MENUBAR_TESTMENU_SEPARATOR_2 = 22;
inline constexpr int MENUBAR_HELPMENU = 23;
inline constexpr int MENUBAR_HELPMENU_HLP_CNTNT = 24;
inline constexpr int MENUBAR_HELPMENU_CORVOUSB = 25;
inline constexpr int MENUBAR_HELPMENU_SEPARATOR_3 = 26;
inline constexpr int MENUBAR_HELPMENU_ABOUT = 27;
// The run monitor's window (an addition), last in the Test menu.
inline constexpr int MENUBAR_TESTMENU_MONITOR = 28;
