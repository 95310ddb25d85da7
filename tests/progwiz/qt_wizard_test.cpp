// The wizard in Kestrel's real Qt window (offscreen): page by page to a reprogrammed board, and
// the busy pointer during the erase pause.
#include "app/Kestrel.h"
#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "progwiz/Eeprom.h"
#include "tests/support/ScratchDir.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>

namespace {

int pauseCursor = -1;

// Acts as the user in the running program: the wizard page by page, then an erase.
void RunWizardAndErase() {
    const int setup = GetSetupPanelHandle();
    QTest::mouseClick(
        qobject_cast<QAbstractButton*>(uirt::qt::ControlWidget(setup, SETUPPANEL_PROGRAMBTN)),
        Qt::LeftButton);
    QWidget* shown = nullptr;
    for (int page = 1; page <= 6; ++page) {
        QWidgetList windows = QApplication::topLevelWidgets();
        windows.removeIf(
            [](QWidget* w) { return !w->isVisible() || w->windowTitle() != "New board wizard"; });
        ASSERT_EQ(windows.size(), 1) << "wizard windows shown at page " << page;
        QWidget* window = windows.front();
        EXPECT_NE(window, shown) << "page " << page << " is the previous page's window";
        shown = window;
        if (page == 2) {
            auto* edit = window->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, "Qt board");
            QTest::keyClick(edit, Qt::Key_Return);
        }
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            if (b->text().remove('&') == (page < 6 ? "Next" : "Finish")) {
                QTest::mouseClick(b, Qt::LeftButton);
                break;
            }
    }
    auto* list = qobject_cast<QComboBox*>(uirt::qt::ControlWidget(setup, SETUPPANEL_LSTDEVICES));
    EXPECT_EQ(std::string(GetDevDesc()) + "|" + list->currentText().toStdString(),
              "Qt board|Qt board");

    uirt::qt::MenuAction(GetPanelMenuBar(GetMainPanelHandle()), MENUBAR_TESTMENU_ERASE)->trigger();
    EXPECT_EQ(std::tuple(pauseCursor, QApplication::overrideCursor(), std::string(GetDevDesc())),
              std::tuple(int(Qt::WaitCursor), nullptr, "Corvo USB FIFO"));
}

} // namespace

// Fails when the wizard's pages do not follow each other in their own windows, a typed entry
// does not reach the board, the board does not show up under its new identity, or the erase
// pause does not show the busy pointer.
TEST_F(InScratchDir, QtWizardRunsPageByPageAndErasesWithBusyPointer) {
    corvousb::testing::ResetBus();
    corvousb::testing::AddBoard();
    SetEepromPause([](int) {
        const QCursor* cursor = QApplication::overrideCursor();
        pauseCursor = cursor != nullptr ? cursor->shape() : -1;
    });

    int argc = 1;
    char name[] = "qt_wizard";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [] { // every box: Yes where there is one, or OK
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)
                                           : box->button(QMessageBox::Ok))
                ->click();
    });
    answerer.start(5);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        RunWizardAndErase();
        QuitUserInterface(0); // also after a failed assertion, so the loop never hangs
    });
    EXPECT_EQ(KestrelMain(), 0);
    EXPECT_TRUE(ran);
    uirt::ResetModel(); // the windows go while Qt is still whole
    SetEepromPause(nullptr);
    corvousb::testing::ResetBus();
}
