// Kestrel in its real Qt window (offscreen): start-up to a connected window, then a clean quit.
#include "app/Kestrel.h"
#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <unistd.h>

// Fails when the Qt front end does not show both windows connected to the board, or SIGTERM
// does not shut down through the normal path that saves the settings, or settings that cannot
// be saved are not told in a "Kestrel" box while the main window is still up.
TEST(QtSmoke, StartsConnectedAndQuitsCleanly) {
    namespace fs = std::filesystem;
    fs::path previous = fs::current_path();
    fs::path dir = fs::temp_directory_path() / ("kestrel_qt_smoke_" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    corvousb::testing::ResetBus();
    corvousb::testing::AddBoard();

    int argc = 1;
    char name[] = "qt_smoke";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        QStringList titles;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) titles << w->windowTitle();
        EXPECT_TRUE(titles.contains("Kestrel 2.0")) << titles.join(", ").toStdString();
        EXPECT_TRUE(titles.contains("Tests and configuration"));
        bool serialShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            for (QLineEdit* edit : w->findChildren<QLineEdit*>())
                serialShown = serialShown || edit->text() == "SIM00001";
        EXPECT_TRUE(serialShown);
        int led = 0;
        GetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_LED, &led);
        EXPECT_EQ(led, 1);
        // The connected windows, for the README.
        QDir().mkpath(KESTREL_SCREENSHOT_DIR);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible()) continue;
            QString file =
                w->windowTitle() == "Kestrel 2.0" ? "kestrel-main.png" : "kestrel-setup.png";
            w->grab().save(QString(KESTREL_SCREENSHOT_DIR) + "/" + file);
        }
        // A termination request from outside ends the loop through the normal shutdown.
        raise(SIGTERM);
    });
    EXPECT_EQ(KestrelMain(), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(fs::exists("kestrel.cfg"));

    // Settings that cannot be saved: the "Kestrel" box comes while the main window is up.
    fs::permissions("kestrel.cfg", fs::perms::owner_read);
    QString title, text;
    bool mainWindowUp = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle();
        text = box->text();
        for (QWidget* w : QApplication::topLevelWidgets())
            mainWindowUp = mainWindowUp || (w->isVisible() && w->windowTitle() == "Kestrel 2.0");
        box->accept();
    });
    poll.start(10);
    QTimer::singleShot(0, [] { raise(SIGTERM); });
    EXPECT_EQ(KestrelMain(), 0);
    poll.stop();
    EXPECT_EQ(title.toStdString(), "Kestrel");
    EXPECT_EQ(text.toStdString(), "The settings could not be saved to " +
                                      fs::canonical("kestrel.cfg").string() +
                                      ": Permission denied.");
    EXPECT_TRUE(mainWindowUp);

    corvousb::testing::ResetBus();
    fs::current_path(previous);
    fs::remove_all(dir);
}
