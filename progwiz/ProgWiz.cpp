// The "New board wizard": six pages, the record they fill, "Conf.tmp" and the hand-over to
// programming.
#include "progwiz/ProgWiz.h"

#include "platform/uirt/model/uirt.h"
#include "ui/ProgWizUIR.h"
#include "ui/Radio.h"

#include <cstring>

EepromConfig Conf;
EepromConfig InitialConf;
FILE* fConf = nullptr;
int SendRequested = 0;

enum { WIZARD_PAGES = 6 };
static const int PageResources[WIZARD_PAGES] = {PANEL, PANEL_2, PANEL_3, PANEL_4, PANEL_5, PANEL_6};
static int PageHandles[WIZARD_PAGES] = {-1, -1, -1, -1, -1, -1};
// Page shown, 1 to 6, or 0 while the wizard is closed.
static int CurrentPage = 0;

// Page number (1 to 6) of a wizard panel handle, 0 for any other panel.
static int PageOf(int panel) {
    for (int k = 0; k < WIZARD_PAGES; ++k)
        if (PageHandles[k] == panel) return k + 1;
    return 0;
}

// Hides page `from` and shows page `to`.
static void TurnPage(int from, int to) {
    HidePanel(PageHandles[from - 1]);
    CurrentPage = to;
    DisplayPanel(PageHandles[to - 1]);
}

// The record as "Conf.tmp" holds it: the bytes as they stand, 16-bit values little-endian.
static void WriteConfRecord(const EepromConfig* conf) {
    unsigned char bytes[sizeof(EepromConfig)];
    const size_t strings = offsetof(EepromConfig, MaxPower);
    std::memcpy(bytes, conf, strings);
    const uint16_t values[3] = {conf->MaxPower, conf->PowerSource, conf->DriveCurrent};
    for (int i = 0; i < 3; ++i) {
        bytes[strings + 2 * i] = static_cast<unsigned char>(values[i] & 0xFF);
        bytes[strings + 2 * i + 1] = static_cast<unsigned char>(values[i] >> 8);
    }
    std::fwrite(bytes, sizeof bytes, 1, fConf);
}

void InitConfBuffers(void) {
    std::memset(&Conf, 0, sizeof Conf);
    std::strcpy(Conf.DeviceDesc, "New board");
    std::strcpy(Conf.SerialNumber, "SERNUM1");
    Conf.MaxPower = 100;
    Conf.PowerSource = 0;
    Conf.DriveCurrent = 8;
    InitialConf = Conf;
}

int InitProgWiz(void) {
    if (CurrentPage != 0) {
        DisplayPanel(PageHandles[CurrentPage - 1]);
        return 0;
    }
    for (int k = 0; k < WIZARD_PAGES; ++k) {
        PageHandles[k] = LoadPanel(0, "ProgWizUIR.uir", PageResources[k]);
        if (PageHandles[k] < 0) return -1;
        if (PageResources[k] == PANEL_4) Radio_ConvertFromTree(PageHandles[k], PANEL_4_RADIOGROUP);
    }
    InitConfBuffers();
    SendRequested = 0;
    CurrentPage = 1;
    DisplayPanel(PageHandles[0]);
    fConf = std::fopen("Conf.tmp", "wb");
    return fConf != nullptr ? 0 : -1;
}

void EndProgWiz(void) {
    if (CurrentPage == 0) return;
    if (fConf != nullptr) {
        std::fclose(fConf);
        fConf = nullptr;
    }
    for (int k = 0; k < WIZARD_PAGES; ++k) {
        DiscardPanel(PageHandles[k]);
        PageHandles[k] = -1;
    }
    CurrentPage = 0;
    if (SendRequested == 1) ProgramDevice(&Conf);
}

int ProgramWizCB(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) InitProgWiz();
    return 0;
}

void ProgramMenuCB(int, int, void*, int) {
    InitProgWiz();
}

int NextCB(int panel, int, int event, void*, int, int) {
    int page = PageOf(panel);
    if (event == EVENT_COMMIT && page >= 1 && page < WIZARD_PAGES) TurnPage(page, page + 1);
    return 0;
}

int BackCB(int panel, int, int event, void*, int, int) {
    int page = PageOf(panel);
    if (event == EVENT_COMMIT && page > 1) TurnPage(page, page - 1);
    return 0;
}

int CancelCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    if (ConfirmPopup("Kestrel", " Do you really want to exit this wizard ?") == 1) {
        Conf = InitialConf;
        EndProgWiz();
    }
    return 0;
}

int FinishCB(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    if (ConfirmPopup("Kestrel", " Do you want the changes to be sent to your device EEPROM ?") ==
        1) {
        if (fConf != nullptr) WriteConfRecord(&Conf);
        SendRequested = 1;
    } else {
        Conf = InitialConf;
    }
    EndProgWiz();
    return 0;
}

int WizDevDescCB(int panel, int control, int event, void*, int, int) {
    // The buffer's size bounds the copy to 64 characters.
    if (event == EVENT_COMMIT) GetCtrlVal(panel, control, Conf.DeviceDesc);
    return 0;
}

int WizSerNumCB(int panel, int control, int event, void*, int, int) {
    // The field takes any length; the record keeps the first 8 characters.
    if (event == EVENT_COMMIT) GetCtrlVal(panel, control, Conf.SerialNumber);
    return 0;
}

int MaxPowerCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    unsigned mA = 0;
    GetCtrlVal(panel, control, &mA);
    Conf.MaxPower = static_cast<uint16_t>(mA & 0xFFFF);
    return 0;
}

int PowerRadioCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int source = 0;
    Radio_GetMarkedOption(panel, control, &source);
    Conf.PowerSource = static_cast<uint16_t>(source & 0xFFFF);
    return 0;
}

int DriveCurrentCB(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int mA = 0;
    GetCtrlVal(panel, control, &mA);
    Conf.DriveCurrent = static_cast<uint16_t>(mA & 0xFFFF);
    return 0;
}
