// Renders every panel of Kestrel offscreen into PNG files (main, setup, about, six wizard pages).
//
// Usage: panel_screenshots [output directory]   (default: "screenshots")
// The panels are shown as start-up shows them: radio groups converted, a few lines in the
// information box, the version line in the about box.
#include <QDir>
#include <cstdio>
#include <string>

#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/About.h"
#include "ui/KestrelUIR.h"
#include "ui/ProgWizUIR.h"
#include "ui/Radio.h"
#include "ui/Resources.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QDir dir(QString::fromLocal8Bit(argc > 1 ? argv[1] : "screenshots"));
    RegisterKestrelResources();
    if (!QDir().mkpath(dir.path()) || !InitCVIRTE(nullptr, nullptr, nullptr)) return 1;
    const int setup = LoadPanel(0, "KestrelUIR.uir", 2);
    const std::pair<int, std::string> panels[] = {{LoadPanel(0, "KestrelUIR.uir", 1), "main"},
                                                  {setup, "setup"},
                                                  {LoadPanel(0, "About.uir", 1), "about"}};
    for (int tree : {SETUPPANEL_DATATYPERADIO, SETUPPANEL_DATASZRADIO, SETUPPANEL_BYTEORDERRADIO,
                     SETUPPANEL_IOMODE})
        Radio_ConvertFromTree(setup, tree);
    SetCtrlVal(panels[0].first, MAINPANEL_INFOTEXTBOX,
               "1 device(s) found on the USB bus\nDevice 0: Simulated board - SN SIM00001\n"
               "00000000 : 00 01 02 03 04 05 06 07\n");
    InsertListItem(setup, SETUPPANEL_LSTDEVICES, -1, "Simulated board", 0);
    SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, "SIM00001");
    SetCtrlVal(setup, SETUPPANEL_LED, 1);
    SetCtrlVal(panels[2].first, ABOUTPANEL_VERSION_TXT,
               "F1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File vX.X.X.X - Product vX.X.X.X");
    // Shows the panel, writes its image and says so; false when the panel or its image is missing.
    const auto save = [&dir](int panel, const std::string& name) {
        const QString file = dir.filePath(QString::fromStdString(name + ".png"));
        DisplayPanel(panel);
        const bool ok = panel > 0 && uirt::qt::SavePanelImage(panel, file);
        std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.toLocal8Bit().constData());
        HidePanel(panel);
        return ok;
    };
    bool ok = true;
    for (const auto& [panel, name] : panels)
        ok = save(panel, name) && ok;
    for (int page = 1; page <= 6; ++page) {
        const int wizard = LoadPanel(0, "ProgWizUIR.uir", page);
        if (page == 4) Radio_ConvertFromTree(wizard, PANEL_4_RADIOGROUP);
        ok = save(wizard, "wizard" + std::to_string(page)) && ok;
        DiscardPanel(wizard);
    }
    uirt::ResetModel();
    return ok ? 0 : 1;
}
