// Panel resources of "ProgWizUIR.uir": the six pages of the EEPROM programming wizard.
#include "ui/ProgWizUIR.h"
#include "ui/Resources.h"

namespace {

using uirt::ControlRes;
using K = uirt::CtrlKind;

// Every page: a picture on the left, a vertical splitter beside it, a horizontal splitter above
// the button row, the heading on top and the entry controls below it. The content column is
// wide enough for the welcome text's longest line, so its lines never wrap; the buttons end where
// the content does, a margin away from the page edge.
constexpr int kPageWidth = 660, kPageHeight = 229, kMargin = 12;
constexpr int kContentLeft = 128, kContentWidth = kPageWidth - kMargin - kContentLeft;
constexpr int kButtonTop = 194, kButtonWidth = 80, kButtonHeight = 26;
constexpr int kCancelLeft = kPageWidth - kMargin - kButtonWidth;
constexpr int kNextLeft = kCancelLeft - kButtonWidth - 2, kBackLeft = kNextLeft - kButtonWidth - 6;
// The text fields show their prompts whole and room for most of a 64-character description.
constexpr int kEntryWidth = 400;

constexpr ControlRes Button(int id, const char* name, const char* label, const char* callback,
                            int left, bool dimmed = false) {
    return {.id = id,
            .constName = name,
            .kind = K::CommandButton,
            .label = label,
            .callback = callback,
            .top = kButtonTop,
            .left = left,
            .width = kButtonWidth,
            .height = kButtonHeight,
            .dimmed = dimmed};
}

constexpr ControlRes Picture(const char* name) {
    return {.id = 2,
            .constName = name,
            .kind = K::Picture,
            .top = 8,
            .left = 8,
            .width = 104,
            .height = 172};
}

constexpr ControlRes LowerSplitter(const char* name) {
    return {.id = 6,
            .constName = name,
            .kind = K::Splitter,
            .top = 186,
            .left = 8,
            .width = kPageWidth - 16,
            .height = 2};
}

constexpr ControlRes SideSplitter(const char* name) {
    return {.id = 7,
            .constName = name,
            .kind = K::Splitter,
            .top = 8,
            .left = 119,
            .width = 2,
            .height = 172};
}

constexpr ControlRes Heading(int id, const char* name, const char* text,
                             const char* font = "Lucida Bright") {
    return {.id = id,
            .constName = name,
            .kind = K::TextMessage,
            .top = 10,
            .left = kContentLeft,
            .width = kContentWidth,
            .height = 20,
            .font = font,
            .text = text};
}

constexpr ControlRes TextBox(int id, const char* name, const char* text) {
    return {.id = id,
            .constName = name,
            .kind = K::TextBox,
            .top = 38,
            .left = kContentLeft,
            .width = kContentWidth,
            .height = 140,
            .text = text};
}

const char kWelcomeText[] =
    "Welcome to the device customization wizard !\n"
    "This wizard will help you to customize your new design by entering your own \n"
    "device description, its serial number, the maximum power current as well as\n"
    "the power source (bus or self-powered).\n"
    "Please press the next button to continue or cancel to exit.\n"
    "\n";

const char kCompletionText[] = "You have completed the device customization !\n"
                               "To validate your modifications press the \"finish\" button.\n"
                               "You can make some changes using \"back\" or exit this\n"
                               "wizard with the \"cancel\" button .";

const ControlRes kPage1[] = {
    Picture("PANEL_PICTURE"),
    Button(PANEL_NEXTBTN, "PANEL_NEXTBTN", "__Next", "NextCB", kNextLeft),
    Button(PANEL_PREVBTN, "PANEL_PREVBTN", "__Back", "", kBackLeft, true),
    Button(PANEL_CANCELBTN, "PANEL_CANCELBTN", "__Cancel", "CancelCB", kCancelLeft),
    LowerSplitter("PANEL_SPLITTER_2"),
    SideSplitter("PANEL_SPLITTER"),
    TextBox(PANEL_TEXTBOX, "PANEL_TEXTBOX", kWelcomeText),
    Heading(PANEL_TEXTMSG, "PANEL_TEXTMSG", "CorvoUsb device customization wizard",
            "Lucida Bright"),
};

const ControlRes kPage2[] = {
    Picture("PANEL_2_PICTURE"),
    Button(PANEL_2_NEXTBTN, "PANEL_2_NEXTBTN", "__Next", "NextCB", kNextLeft),
    Button(PANEL_2_BACKBTN, "PANEL_2_BACKBTN", "__Back", "BackCB", kBackLeft),
    Button(PANEL_2_CANCELBTN, "PANEL_2_CANCELBTN", "__Cancel", "CancelCB", kCancelLeft),
    LowerSplitter("PANEL_2_SPLITTER_2"),
    SideSplitter("PANEL_2_SPLITTER"),
    {.id = PANEL_2_DEVDESCSTR,
     .constName = "PANEL_2_DEVDESCSTR",
     .kind = K::String,
     .label = "Device description",
     .callback = "WizDevDescCB",
     .top = 76,
     .left = kContentLeft,
     .width = kEntryWidth,
     .height = 22,
     .text = "Enter device description here (64 characters max)",
     .maxLength = 64},
    Heading(PANEL_2_TEXTMSG, "PANEL_2_TEXTMSG", "Device descrition (name)"),
};

const ControlRes kPage3[] = {
    Picture("PANEL_3_PICTURE"),
    Button(PANEL_3_NEXTBTN, "PANEL_3_NEXTBTN", "__Next", "NextCB", kNextLeft),
    Button(PANEL_3_BACKBTN, "PANEL_3_BACKBTN", "__Back", "BackCB", kBackLeft),
    Button(PANEL_3_CANCELBTN, "PANEL_3_CANCELBTN", "__Cancel", "CancelCB", kCancelLeft),
    LowerSplitter("PANEL_3_SPLITTER_2"),
    SideSplitter("PANEL_3_SPLITTER"),
    Heading(PANEL_3_TEXTMSG, "PANEL_3_TEXTMSG", "Serial number"),
    {.id = PANEL_3_SERNUMSTR,
     .constName = "PANEL_3_SERNUMSTR",
     .kind = K::String,
     .label = "Serial number",
     .callback = "WizSerNumCB",
     .top = 76,
     .left = kContentLeft,
     .width = kEntryWidth,
     .height = 22,
     .text = "Enter serial number here (8 chars max)"},
    // Why an entry was not taken; empty while the entry is one the EEPROM can hold.
    {.id = PANEL_3_SERNUMNOTE,
     .constName = "PANEL_3_SERNUMNOTE",
     .kind = K::TextMessage,
     .top = 106,
     .left = kContentLeft,
     .width = kContentWidth,
     .height = 34},
};

const uirt::ItemRes kPowerSources[] = {{"USB bus", 0, true}, {"Self-powered", 1}};

const ControlRes kPage4[] = {
    Picture("PANEL_4_PICTURE"),
    Button(PANEL_4_NEXTBTN, "PANEL_4_NEXTBTN", "__Next", "NextCB", kNextLeft),
    Button(PANEL_4_BACKBTN, "PANEL_4_BACKBTN", "__Back", "BackCB", kBackLeft),
    Button(PANEL_4_CANCELBTN, "PANEL_4_CANCELBTN", "__Cancel", "CancelCB", kCancelLeft),
    LowerSplitter("PANEL_4_SPLITTER_2"),
    SideSplitter("PANEL_4_SPLITTER"),
    Heading(PANEL_4_TEXTMSG, "PANEL_4_TEXTMSG", "Power consumption and source"),
    {.id = PANEL_4_MAXPOWER,
     .constName = "PANEL_4_MAXPOWER",
     .kind = K::Numeric,
     .label = "Max power (mA)",
     .callback = "MaxPowerCB",
     .top = 64,
     .left = kContentLeft,
     .width = 110,
     .height = 22,
     .dataType = VAL_UNSIGNED_INTEGER,
     .value = 100,
     .maxValue = 500,
     .minValue = 10,
     .increment = 5},
    {.id = PANEL_4_RADIOGROUP,
     .constName = "PANEL_4_RADIOGROUP",
     .kind = K::Tree,
     .label = "Power source",
     .callback = "PowerRadioCB",
     .top = 116,
     .left = kContentLeft,
     .width = 140,
     .height = 32,
     .items = kPowerSources},
};

const uirt::ItemRes kDriveCurrents[] = {{"4 mA", 4}, {"8 mA", 8}, {"12 mA", 12}, {"16 mA", 16}};

const ControlRes kPage5[] = {
    Picture("PANEL_5_PICTURE"),
    Button(PANEL_5_NEXTBTN, "PANEL_5_NEXTBTN", "__Next", "NextCB", kNextLeft),
    Button(PANEL_5_BACKBTN, "PANEL_5_BACKBTN", "__Back", "BackCB", kBackLeft),
    Button(PANEL_5_CANCELBTN, "PANEL_5_CANCELBTN", "__Cancel", "CancelCB", kCancelLeft),
    LowerSplitter("PANEL_5_SPLITTER_2"),
    SideSplitter("PANEL_5_SPLITTER"),
    Heading(PANEL_5_TEXTMSG, "PANEL_5_TEXTMSG", "I/O Ports output drive current"),
    // Shows the record's default drive current (8 mA) until the user chooses another.
    {.id = PANEL_5_DRIVECURRENT,
     .constName = "PANEL_5_DRIVECURRENT",
     .kind = K::Ring,
     .label = "Drive current",
     .callback = "DriveCurrentCB",
     .top = 76,
     .left = kContentLeft,
     .width = 110,
     .height = 22,
     .dataType = VAL_INTEGER,
     .value = 8,
     .items = kDriveCurrents},
};

const ControlRes kPage6[] = {
    Picture("PANEL_6_PICTURE"),
    Button(PANEL_6_CANCELBTN, "PANEL_6_CANCELBTN", "__Cancel", "CancelCB", kCancelLeft),
    Button(PANEL_6_FINISHBTN, "PANEL_6_FINISHBTN", "__Finish", "FinishCB", kNextLeft),
    Button(PANEL_6_BACKBTN, "PANEL_6_BACKBTN", "__Back", "BackCB", kBackLeft),
    LowerSplitter("PANEL_6_SPLITTER_2"),
    SideSplitter("PANEL_6_SPLITTER"),
    TextBox(PANEL_6_TEXTBOX, "PANEL_6_TEXTBOX", kCompletionText),
    Heading(PANEL_6_TEXTMSG, "PANEL_6_TEXTMSG", "Device customization completed"),
};

constexpr uirt::PanelRes Page(const char* name, std::span<const ControlRes> controls,
                              int cancelBtn) {
    return {.constName = name,
            .title = "New board wizard",
            .height = kPageHeight,
            .width = kPageWidth,
            .controls = controls,
            .closeCtrl = cancelBtn};
}

const uirt::PanelRes kPages[] = {
    Page("PANEL", kPage1, PANEL_CANCELBTN),     Page("PANEL_2", kPage2, PANEL_2_CANCELBTN),
    Page("PANEL_3", kPage3, PANEL_3_CANCELBTN), Page("PANEL_4", kPage4, PANEL_4_CANCELBTN),
    Page("PANEL_5", kPage5, PANEL_5_CANCELBTN), Page("PANEL_6", kPage6, PANEL_6_CANCELBTN),
};

} // namespace

void RegisterProgWizUIRPanels() {
    for (int i = 0; i < 6; ++i)
        uirt::RegisterPanelResource("ProgWizUIR.uir", i + 1, kPages[i]);
}
