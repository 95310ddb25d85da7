// The "New board wizard": six pages, the record they fill, "Conf.tmp" and the hand-over to
// programming.
#include "progwiz/ProgWiz.h"

#include "platform/files/AtomicFile.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Output.h"
#include "ui/ProgWizUIR.h"
#include "ui/Radio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

EepromConfig Conf;
EepromConfig InitialConf;
int ConfFileReady = 0;
int SendRequested = 0;

static const char CONF_FILE[] = "Conf.tmp";

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

// Replaces "Conf.tmp" with `bytes`, as kestrel.cfg is saved: whole or not at all, never through
// a link, never over a file that is not a regular one or that the user marked read-only (root
// included). Says why in the information box when it cannot.
static bool SaveConfFile(std::string_view bytes) {
    struct stat st;
    const bool exists = lstat(CONF_FILE, &st) == 0;
    const char* why = nullptr;
    int error = !exists && errno != ENOENT ? errno : 0;
    if (exists && S_ISLNK(st.st_mode))
        why = "it is a symbolic link";
    else if (exists && !S_ISREG(st.st_mode))
        why = "not a regular file";
    else if (exists)
        error = files::WriteRefusal(CONF_FILE, st);
    if (why == nullptr && error == 0)
        error = files::Replace(CONF_FILE, bytes, exists ? &st : nullptr);
    if (why == nullptr && error == 0) return true;
    InfoPrintf("\"%s\" was not written (%s).\n", CONF_FILE, why != nullptr ? why : strerror(error));
    return false;
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
    SaveConfFile(std::string_view(reinterpret_cast<const char*>(bytes), sizeof bytes));
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
    // A failure is reported here once; the wizard then runs without the file.
    ConfFileReady = SaveConfFile({}) ? 1 : 0;
    return ConfFileReady == 1 ? 0 : -1;
}

void EndProgWiz(void) {
    if (CurrentPage == 0) return;
    ConfFileReady = 0;
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
        if (ConfFileReady == 1) WriteConfRecord(&Conf);
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

// Why the EEPROM cannot hold the serial number `text` of `length` characters, or null when it
// can. Kestrel keeps a serial number as one word, so white space is refused like control
// characters.
static const char* SerialRefusal(const char* text, int length) {
    if (length > EEPROM_SERNUM_MAX_CHARS) return "at most 8 characters";
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte < 0x20 || byte == 0x7F) return "no control characters";
        if (byte == ' ') return "no spaces";
    }
    return nullptr;
}

int WizSerNumCB(int panel, int control, int event, void*, int, int) {
    // The field takes any length; an entry the EEPROM cannot hold is refused whole, with the
    // reason beside it, and the record keeps its serial number.
    if (event != EVENT_COMMIT) return 0;
    int length = 0;
    GetCtrlAttribute(panel, control, ATTR_STRING_TEXT_LENGTH, &length);
    char text[EEPROM_SERNUM_MAX_CHARS + 1];
    GetCtrlVal(panel, control, text);
    const char* refusal = SerialRefusal(text, length);
    if (refusal == nullptr) {
        std::snprintf(Conf.SerialNumber, sizeof Conf.SerialNumber, "%s", text);
        SetCtrlVal(panel, PANEL_3_SERNUMNOTE, "");
        return 0;
    }
    char note[96];
    std::snprintf(note, sizeof note, "Not taken: %s.\nThe serial number stays \"%s\".", refusal,
                  Conf.SerialNumber);
    SetCtrlVal(panel, PANEL_3_SERNUMNOTE, note);
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
