// Kestrel's menus in its real Qt window (offscreen): about box, help window, print dialog and the
// information box's pop-up Edit menu.
#include "app/Kestrel.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/About.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
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

QTextBrowser* HelpWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* browser = qobject_cast<QTextBrowser*>(w); browser && browser->isVisible())
            return browser;
    return nullptr;
}

// The print dialog's output file field ("Print to File (PDF)" when no printer is installed).
QLineEdit* OutputFileField(QDialog* dialog) {
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
        if (edit->objectName() == QLatin1String("filename")) return edit;
    return nullptr;
}

// Cancels the print dialog once it is shown.
bool RejectDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog) dialog->reject();
    return dialog != nullptr;
}

class QtMenus : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("kestrel_qt_menus_" + std::to_string(getpid()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
        corvousb::testing::ResetBus();
        corvousb::testing::AddBoard();
    }
    void TearDown() override {
        corvousb::testing::ResetBus();
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    fs::path previous_, dir_;
};

// Fails when a Help or File menu item, or the pop-up Edit menu, does not work in the Qt window:
// maintenance buttons shown without --maintenance, no about box with the version line, no help
// page, a print that ignores the dialog's answer, or a pop-up Copy that does not reach the
// clipboard.
TEST_F(QtMenus, MenuItemsWorkInTheWindow) {
    int argc = 1;
    char name[] = "qt_menus";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const QString pdf = QString::fromStdString((dir_ / "kestrel-print.pdf").string());
    QString aboutLine, contentsTitle, libraryTitle, copied;
    bool aboutShown = false, aboutHidden = false, cancelledPrinted = true, maintenance = true;
    int cancelledResult = 0;
    QTimer::singleShot(0, [&] {
        const int main = GetMainPanelHandle();
        const int bar = GetPanelMenuBar(main);
        const int about = GetAboutPanelHandle();
        maintenance =
            uirt::qt::ControlWidget(GetSetupPanelHandle(), SETUPPANEL_SPEED_BTN)->isVisible();
        uirt::qt::MenuAction(bar, MENUBAR_HELPMENU_ABOUT)->trigger();
        aboutShown = uirt::qt::PanelWindow(about)->isVisible();
        char line[256] = "";
        GetCtrlVal(about, ABOUTPANEL_VERSION_TXT, line);
        aboutLine = line;
        qobject_cast<QAbstractButton*>(uirt::qt::ControlWidget(about, ABOUTPANEL_ABOUT_CLOSE))
            ->click();
        aboutHidden = !uirt::qt::PanelWindow(about)->isVisible();

        uirt::qt::MenuAction(bar, MENUBAR_HELPMENU_HLP_CNTNT)->trigger();
        if (HelpWindow()) contentsTitle = HelpWindow()->windowTitle();
        uirt::qt::MenuAction(bar, MENUBAR_HELPMENU_CORVOUSB)->trigger();
        if (HelpWindow()) libraryTitle = HelpWindow()->windowTitle();

        ResetTextBox(main, MAINPANEL_INFOTEXTBOX, "first line\nsecond line\n");
        uirt::qt::FlushTextBoxes();
        // Cancelled: nothing is written. Accepted with a PDF file: the text is printed into it.
        WhenReady(RejectDialog);
        uirt::qt::MenuAction(bar, MENUBAR_FILEMENU_PRINT)->trigger();
        cancelledPrinted = QFileInfo::exists(pdf);
        WhenReady(RejectDialog);
        cancelledResult = PrintTextBuffer("text", "");
        WhenReady([pdf] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return false;
            if (QLineEdit* file = OutputFileField(dialog)) file->setText(pdf);
            dialog->accept();
            return true;
        });
        uirt::qt::MenuAction(bar, MENUBAR_FILEMENU_PRINT)->trigger();

        // Right click in the box with "second" selected, then Copy in the pop-up menu.
        auto* box =
            qobject_cast<QPlainTextEdit*>(uirt::qt::ControlWidget(main, MAINPANEL_INFOTEXTBOX));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(11);
        cursor.setPosition(17, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        box->setFocus();
        QApplication::clipboard()->clear();
        WhenReady([] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return false;
            for (QAction* a : menu->actions())
                if (a->objectName() == QLatin1String("MENUBAR_EDIT_COPY")) menu->setActiveAction(a);
            QTest::keyClick(menu, Qt::Key_Return);
            return true;
        });
        const QPoint at(30, 20);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
        QApplication::sendEvent(box->viewport(), &click);
        copied = QApplication::clipboard()->text();
        QuitUserInterface(0);
    });
    EXPECT_EQ(KestrelMain(), 0);
    uirt::ResetModel(); // the help window goes while this test's QApplication is still whole
    EXPECT_FALSE(maintenance);
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(aboutHidden);
    EXPECT_EQ(aboutLine.toStdString(),
              "F1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File v1.0.0.67 - Product v2.0.0.56");
    EXPECT_EQ(contentsTitle.toStdString(), "Kestrel 2.0 help");
    EXPECT_EQ(libraryTitle.toStdString(), "CorvoUsb 2.0 library help");
    EXPECT_FALSE(cancelledPrinted);
    EXPECT_EQ(cancelledResult, UIE_PRINT_CANCELLED);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_EQ(copied.toStdString(), "second");
}

// Fails when --maintenance does not show the five maintenance buttons in the window, or a press
// on one of the three tools does not reach its callback.
TEST_F(QtMenus, MaintenanceButtonsWorkInTheWindow) {
    int argc = 1;
    char name[] = "qt_menus";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    std::string info;
    int shown = 0;
    QTimer::singleShot(0, [&] {
        const int setup = GetSetupPanelHandle();
        for (int button : {SETUPPANEL_PURGEFIFOBTN, SETUPPANEL_FIFOSTATBTN})
            shown += uirt::qt::ControlWidget(setup, button)->isVisible();
        for (int button : {SETUPPANEL_SPEED_BTN, SETUPPANEL_SIMUL_BTN, SETUPPANEL_COMMANDBUTTON})
            if (auto* b = qobject_cast<QAbstractButton*>(uirt::qt::ControlWidget(setup, button));
                b && b->isVisible()) {
                b->click();
                ++shown;
            }
        uirt::qt::FlushTextBoxes();
        auto* box = qobject_cast<QPlainTextEdit*>(
            uirt::qt::ControlWidget(GetMainPanelHandle(), MAINPANEL_INFOTEXTBOX));
        info = box->toPlainText().toStdString();
        QDir().mkpath(KESTREL_SCREENSHOT_DIR);
        uirt::qt::PanelWindow(setup)->grab().save(KESTREL_SCREENSHOT_DIR "/setup-maintenance.png");
        uirt::qt::PanelWindow(GetMainPanelHandle())
            ->grab()
            .save(KESTREL_SCREENSHOT_DIR "/main-maintenance.png");
        QuitUserInterface(0);
    });
    EXPECT_EQ(KestrelMain(1), 0);
    uirt::ResetModel();
    EXPECT_EQ(shown, 5);
    EXPECT_NE(info.find("Min val "), std::string::npos) << info;
    EXPECT_NE(info.find("Processed frames = 0\nLost frames = 0\n"), std::string::npos) << info;
    EXPECT_NE(info.find("count = 0\n"), std::string::npos) << info;
}

} // namespace
