// Kestrel in its real Qt window (offscreen): start-up connected, the menus (about box, help
// window, print dialog), the maintenance buttons and a clean quit; the windows' images go to the
// screenshots.
#include "app/Kestrel.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "tests/support/ScratchDir.h"
#include "ui/About.h"
#include "ui/Help.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Runs `act` on the event loop as soon as it returns true (a window it waits for has appeared).
void WhenReady(std::function<bool()> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (!act()) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start(20);
}

// The title of the help window now shown, whose image goes to the screenshots as `name`.
QString ShotOfHelpWindow(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<QTextBrowser*>(w); help && help->isVisible()) {
            help->grab().save(QStringLiteral(KESTREL_SCREENSHOT_DIR "/%1.png").arg(name));
            return help->windowTitle();
        }
    return {};
}

// The titles of the visible top-level windows.
QStringList VisibleWindows() {
    QStringList titles;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) titles << w->windowTitle();
    return titles;
}

class QtWindow : public InScratchDir {
  protected:
    void SetUp() override {
        InScratchDir::SetUp();
        corvousb::testing::ResetBus();
        corvousb::testing::AddBoard();
        QDir().mkpath(KESTREL_SCREENSHOT_DIR);
    }
    void TearDown() override {
        corvousb::testing::ResetBus();
        InScratchDir::TearDown();
    }
    int argc_ = 1;
    char name_[10] = "qt_window";
    char* argv_[2] = {name_, nullptr};
};

// Fails when the Qt front end does not show both windows connected to the board, or SIGTERM
// does not shut down through the normal path that saves the settings, or a Help or File menu
// item does not work in the window: maintenance buttons shown without --maintenance, no about
// box with the version line, no help page, or a print that ignores the dialog's answer.
TEST_F(QtWindow, StartsConnectedMenusWorkAndQuitsCleanly) {
    QApplication app(argc_, argv_);
    const QString pdf = QString::fromStdString((dir_->path / "kestrel-print.pdf").string());
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        const int main = GetMainPanelHandle();
        const int bar = GetPanelMenuBar(main);
        const int about = GetAboutPanelHandle();
        auto* serial = qobject_cast<QLineEdit*>(
            uirt::qt::ControlWidget(GetSetupPanelHandle(), SETUPPANEL_SERNUMTXT));
        int led = 0;
        GetCtrlVal(GetSetupPanelHandle(), SETUPPANEL_LED, &led);
        EXPECT_TRUE(VisibleWindows().contains("Kestrel 2.0") &&
                    VisibleWindows().contains("Tests and configuration") && serial &&
                    serial->text() == "SIM00001" && led == 1);
        EXPECT_FALSE(
            uirt::qt::ControlWidget(GetSetupPanelHandle(), SETUPPANEL_SPEED_BTN)->isVisible());

        uirt::qt::MenuAction(bar, MENUBAR_HELPMENU_ABOUT)->trigger();
        EXPECT_TRUE(uirt::qt::PanelWindow(about)->isVisible());
        char line[256] = "";
        GetCtrlVal(about, ABOUTPANEL_VERSION_TXT, line);
        EXPECT_STREQ(line, "F1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File v1.0.0.67 - Product v2.0.0.56");
        uirt::qt::SavePanelImage(about, KESTREL_SCREENSHOT_DIR "/about-box.png");
        qobject_cast<QAbstractButton*>(uirt::qt::ControlWidget(about, ABOUTPANEL_ABOUT_CLOSE))
            ->click();
        EXPECT_FALSE(uirt::qt::PanelWindow(about)->isVisible());

        uirt::qt::MenuAction(bar, MENUBAR_HELPMENU_HLP_CNTNT)->trigger();
        QStringList helpTitles{ShotOfHelpWindow("help-contents")};
        HelpStart("Help\\KestrelHelp.chm::/setup-panel.html");
        helpTitles << ShotOfHelpWindow("help-setup-panel");
        uirt::qt::MenuAction(bar, MENUBAR_HELPMENU_CORVOUSB)->trigger();
        helpTitles << ShotOfHelpWindow("help-corvousb");
        EXPECT_EQ(helpTitles.join("|").toStdString(),
                  "Kestrel 2.0 help|The setup panel|CorvoUsb 2.0 library help");

        ResetTextBox(main, MAINPANEL_INFOTEXTBOX, "first line\nsecond line\n");
        uirt::qt::FlushTextBoxes();
        // Cancelled: nothing is written. Accepted with a PDF file: the text is printed into it.
        for (bool accept : {false, true}) {
            WhenReady([pdf, accept] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return false;
                // "Print to File (PDF)" when no printer is installed: its output file field.
                for (QLineEdit* file : dialog->findChildren<QLineEdit*>())
                    if (file->objectName() == QLatin1String("filename")) file->setText(pdf);
                accept ? dialog->accept() : dialog->reject();
                return true;
            });
            uirt::qt::MenuAction(bar, MENUBAR_FILEMENU_PRINT)->trigger();
            EXPECT_EQ(QFileInfo(pdf).size() > 0, accept);
        }

        // A termination request from outside ends the loop through the normal shutdown.
        raise(SIGTERM);
    });
    EXPECT_EQ(KestrelMain(), 0);
    uirt::ResetModel(); // the help window goes while this test's QApplication is still whole
    EXPECT_TRUE(ran);
    EXPECT_TRUE(fs::exists("kestrel.cfg"));
}

// Fails when --maintenance does not show the five maintenance buttons in the window (their
// presses: tests/engine), or settings that cannot be saved at File > Exit are not told in a
// "Kestrel" box while the main window is still up.
TEST_F(QtWindow, MaintenanceButtonsShowAndUnsavedSettingsAreToldWhileTheWindowIsUp) {
    QApplication app(argc_, argv_);
    WriteFile("kestrel.cfg", "Simulated Corvo Board\nSIM00001\n");
    fs::permissions("kestrel.cfg", fs::perms::owner_read);
    QString title, text;
    bool mainWindowUp = false;
    int shown = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle();
        text = box->text();
        mainWindowUp = VisibleWindows().contains("Kestrel 2.0");
        box->accept();
    });
    poll.start(10);
    QTimer::singleShot(0, [&] {
        const int setup = GetSetupPanelHandle();
        for (int button : {SETUPPANEL_PURGEFIFOBTN, SETUPPANEL_FIFOSTATBTN, SETUPPANEL_SPEED_BTN,
                           SETUPPANEL_SIMUL_BTN, SETUPPANEL_COMMANDBUTTON})
            shown += uirt::qt::ControlWidget(setup, button)->isVisible();
        uirt::qt::SavePanelImage(setup, KESTREL_SCREENSHOT_DIR "/setup-maintenance.png");
        uirt::qt::MenuAction(GetPanelMenuBar(GetMainPanelHandle()), MENUBAR_FILEMENU_EXIT)
            ->trigger();
    });
    EXPECT_EQ(KestrelMain(1), 0);
    poll.stop();
    uirt::ResetModel();
    EXPECT_EQ(std::tuple(shown, title.toStdString(), text.toStdString(), mainWindowUp),
              std::tuple(5, "Kestrel",
                         "The settings could not be saved to " +
                             fs::canonical("kestrel.cfg").string() + ": Permission denied.",
                         true));
}

} // namespace
