// Renders the about box and the help window offscreen into PNG files, as a user sees them.
//
// Usage: about_help_screenshots [output directory]   (default: "screenshots")
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QTextBrowser>
#include <cstdio>

#include "app/Callbacks.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/AboutBox.h"
#include "ui/Help.h"
#include "ui/Panels.h"
#include "ui/Resources.h"

namespace {

bool report(bool ok, const QString& file) {
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.toLocal8Bit().constData());
    return ok;
}

// The help window is the one top-level text browser the front end shows.
bool saveHelpWindow(const QDir& dir, const char* name) {
    const QString file = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* browser = qobject_cast<QTextBrowser*>(w); browser && browser->isVisible())
            return report(browser->grab().save(file), file);
    return report(false, file);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QDir dir(QString::fromLocal8Bit(argc > 1 ? argv[1] : "screenshots"));
    if (!QDir().mkpath(dir.path())) return 1;
    RegisterKestrelResources();
    InstallKestrelCallbacks();
    if (!InitCVIRTE(nullptr, nullptr, nullptr)) return 1;
    const int mainPanel = LoadPanel(0, "KestrelUIR.uir", 1);
    const int about = LoadPanel(0, "About.uir", 1);
    if (mainPanel < 0 || about < 0) return 1;
    SetPanelHandles(mainPanel, -1, about);

    AboutCB(0, 0, nullptr, 0);
    const QString aboutFile = dir.filePath(QStringLiteral("about-box.png"));
    bool ok = report(uirt::qt::SavePanelImage(about, aboutFile), aboutFile);
    HelpContents(0, 0, nullptr, 0);
    ok = saveHelpWindow(dir, "help-contents") && ok;
    HelpStart("Help\\KestrelHelp.chm::/setup-panel.html");
    ok = saveHelpWindow(dir, "help-setup-panel") && ok;
    HelpCorvoUsb(0, 0, nullptr, 0);
    ok = saveHelpWindow(dir, "help-corvousb") && ok;
    uirt::ResetModel();
    return ok ? 0 : 1;
}
