// Panel resource of "About.uir": the about box.
#include "core/KestrelVersion.h"
#include "ui/About.h"
#include "ui/Resources.h"

namespace {

using K = uirt::CtrlKind;

const uirt::ControlRes kAboutControls[] = {
    {.id = ABOUTPANEL_TEXTMSG,
     .constName = "ABOUTPANEL_TEXTMSG",
     .kind = K::TextMessage,
     .top = 48,
     .left = 96,
     .width = 330,
     .height = 18,
     .text = "Test utility for USB-to-FIFO boards"},
    {.id = ABOUTPANEL_VERSION_TXT,
     .constName = "ABOUTPANEL_VERSION_TXT",
     .kind = K::TextMessage,
     .top = 100,
     .left = 16,
     .width = 410,
     .height = 18},
    {.id = ABOUTPANEL_TEXTMSG_4,
     .constName = "ABOUTPANEL_TEXTMSG_4",
     .kind = K::TextMessage,
     .top = 70,
     .left = 96,
     .width = 330,
     .height = 18,
     .text = "Transfer tests, link settings and EEPROM programming"},
    {.id = ABOUTPANEL_TEXTMSG_2,
     .constName = "ABOUTPANEL_TEXTMSG_2",
     .kind = K::TextMessage,
     .top = 16,
     .left = 96,
     .width = 330,
     .height = 26,
     .font = "Lucida Bright",
     .text = "Kestrel " KESTREL_VERSION},
    {.id = ABOUTPANEL_PICTURE_2,
     .constName = "ABOUTPANEL_PICTURE_2",
     .kind = K::Picture,
     .top = 16,
     .left = 16,
     .width = 64,
     .height = 64},
    {.id = ABOUTPANEL_ABOUT_CLOSE,
     .constName = "ABOUTPANEL_ABOUT_CLOSE",
     .kind = K::CommandButton,
     .label = "__OK",
     .callback = "CloseAboutWinCB",
     .top = 148,
     .left = 346,
     .width = 80,
     .height = 28},
    {.id = ABOUTPANEL_CORVO_LOGO,
     .constName = "ABOUTPANEL_CORVO_LOGO",
     .kind = K::Picture,
     .top = 140,
     .left = 16,
     .width = 96,
     .height = 40},
    {.id = ABOUTPANEL_SEP,
     .constName = "ABOUTPANEL_SEP",
     .kind = K::Splitter,
     .top = 128,
     .left = 16,
     .width = 410,
     .height = 2},
    // Between the logo and the OK button.
    {.id = ABOUTPANEL_LICENCE,
     .constName = "ABOUTPANEL_LICENCE",
     .kind = K::TextMessage,
     .top = 153,
     .left = 124,
     .width = 214,
     .height = 18,
     .text = "Licence: GNU GPL v3 or later"},
};

const uirt::PanelRes kAboutPanel = {.constName = "ABOUTPANEL",
                                    .title = "About Kestrel " KESTREL_VERSION,
                                    .height = 191,
                                    .width = 442,
                                    .controls = kAboutControls,
                                    .closeCtrl = ABOUTPANEL_ABOUT_CLOSE};

} // namespace

void RegisterAboutPanels() {
    uirt::RegisterPanelResource("About.uir", ABOUTPANEL, kAboutPanel);
}
