// Renders every panel of Kestrel offscreen into PNG files (main, setup, about, six wizard pages,
// the monitor).
//
// Usage: panel_screenshots [output directory]   (default: "screenshots")
// The panels are shown as start-up shows them: radio groups converted, a few lines in the
// information box, the version line in the about box.
#include <QByteArray>
#include <QDir>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <cstdio>
#include <string>

#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/About.h"
#include "ui/KestrelUIR.h"
#include "ui/Monitor.h"
#include "ui/ProgWizUIR.h"
#include "ui/Radio.h"
#include "ui/Resources.h"

namespace {

bool save(int panel, const QDir& dir, const char* name) {
    DisplayPanel(panel);
    const QString file = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    const bool ok = uirt::qt::SavePanelImage(panel, file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.toLocal8Bit().constData());
    HidePanel(panel);
    return ok;
}

// The monitor a minute into a loop that lost frames now and then.
bool SaveMonitor(int monitor, const QDir& dir) {
    SetCtrlAttribute(monitor, MONITORPANEL_ERRORCHART, ATTR_NUM_TRACES, 3);
    for (int second = 1; second <= 60; ++second) {
        const double rate = 1.9 + 0.1 * ((second * 7) % 5) / 4.0;
        const double errors[] = {second % 17 == 0 ? 3.0 : 0.0, second == 40 ? 1.0 : 0.0, 0.0};
        PlotStripChart(monitor, MONITORPANEL_RATECHART, &rate, 1);
        PlotStripChart(monitor, MONITORPANEL_ERRORCHART, errors, 3);
    }
    SetCtrlVal(monitor, MONITORPANEL_ELAPSED, "Elapsed: 0:01:00");
    SetCtrlVal(monitor, MONITORPANEL_EVENTLOG,
               "2026-12-07T23:04:05.678+01:00  Loop started: I/O mode = Extended read, loop time "
               "= 2 ms\n2026-12-07T23:04:22.680+01:00  Errors in second 17: 3 lost frames, 0 "
               "header errors, 0 trailer errors\n");
    // The charts show their points at their next repaint, a quarter of a second later.
    DisplayPanel(monitor);
    QEventLoop wait;
    QTimer::singleShot(300, &wait, &QEventLoop::quit);
    wait.exec();
    return save(monitor, dir, "monitor");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QDir dir(QString::fromLocal8Bit(argc > 1 ? argv[1] : "screenshots"));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", dir.path().toLocal8Bit().constData());
        return 1;
    }
    RegisterKestrelResources();
    if (!InitCVIRTE(nullptr, nullptr, nullptr)) return 1;

    const int mainPanel = LoadPanel(0, "KestrelUIR.uir", 1);
    const int setup = LoadPanel(0, "KestrelUIR.uir", 2);
    const int about = LoadPanel(0, "About.uir", 1);
    if (mainPanel < 0 || setup < 0 || about < 0) return 1;
    for (int tree : {SETUPPANEL_DATATYPERADIO, SETUPPANEL_DATASZRADIO, SETUPPANEL_BYTEORDERRADIO,
                     SETUPPANEL_IOMODE})
        Radio_ConvertFromTree(setup, tree);
    SetCtrlVal(mainPanel, MAINPANEL_INFOTEXTBOX,
               "1 device(s) found on the USB bus\nDevice 0: Simulated board - SN SIM00001\n"
               "00000000 : 00 01 02 03 04 05 06 07\n");
    InsertListItem(setup, SETUPPANEL_LSTDEVICES, -1, "Simulated board", 0);
    SetCtrlVal(setup, SETUPPANEL_SERNUMTXT, "SIM00001");
    SetCtrlVal(setup, SETUPPANEL_LED, 1);
    SetCtrlVal(about, ABOUTPANEL_VERSION_TXT,
               "F1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File vX.X.X.X - Product vX.X.X.X");

    bool ok = save(mainPanel, dir, "main");
    ok = save(setup, dir, "setup") && ok;
    ok = save(about, dir, "about") && ok;
    for (int page = 1; page <= 6; ++page) {
        const int wizard = LoadPanel(0, "ProgWizUIR.uir", page);
        if (wizard < 0) return 1;
        if (page == 4) Radio_ConvertFromTree(wizard, PANEL_4_RADIOGROUP);
        const std::string name = "wizard" + std::to_string(page);
        ok = save(wizard, dir, name.c_str()) && ok;
        DiscardPanel(wizard);
    }
    const int monitor = LoadPanel(0, "Monitor.uir", MONITORPANEL);
    if (monitor < 0) return 1;
    ok = SaveMonitor(monitor, dir) && ok;
    uirt::ResetModel();
    return ok ? 0 : 1;
}
