// The six-page "New board wizard" that collects a new EEPROM configuration.
#pragma once

#include "progwiz/Eeprom.h"

// The record being edited, its copy from the opening (restored by Cancel and a refused Finish),
// whether the opening could empty "Conf.tmp" (1; a confirmed Finish then replaces it with the
// record) and whether a confirmed Finish asks for programming.
extern EepromConfig Conf;
extern EepromConfig InitialConf;
extern int ConfFileReady;
extern int SendRequested;

// Opens the wizard on its first page with the default record and empties "Conf.tmp". While the
// wizard is open it only brings its current page forward. Returns 0, or -1 when a page cannot
// be loaded or "Conf.tmp" cannot be emptied (the wizard runs without it; the information box
// says why). "Conf.tmp" is replaced whole, never written through a link, never when it is not a
// regular file or is read-only.
int InitProgWiz(void);
// Conf = the defaults ("New board", "SERNUM1", 100 mA, bus-powered, 8 mA); InitialConf = Conf.
void InitConfBuffers(void);
// Closes the open wizard and, after a confirmed Finish, programs the board with Conf.
// Does nothing when the wizard is not open.
void EndProgWiz(void);

// Setup panel "Customize/Program..." and Test menu "(Re)Program EEPROM": open the wizard.
int ProgramWizCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
void ProgramMenuCB(int menuBar, int menuItem, void* callbackData, int panel);
// Page buttons, shared by the six pages.
int NextCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int BackCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int CancelCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int FinishCB(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
// Entries: each committed value goes into Conf at once.
int WizDevDescCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
int WizSerNumCB(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
int MaxPowerCB(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
int PowerRadioCB(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
int DriveCurrentCB(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);
