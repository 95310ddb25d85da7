// Qt front end under the offscreen platform: widgets, mirroring, user input, menus, services.
#include "QtPanelTest.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/uirt/qt/Indicators.h"
#include "platform/uirt/qt/NumericField.h"
#include "platform/uirt/qt/RadioGroup.h"
#include "platform/uirt/qt/TickTimer.h"
#include "ui/About.h"
#include "ui/ProgWizUIR.h"
#include "ui/Radio.h"

using uirt::CtrlKind;
using uirt::qt::ControlLabel;
using uirt::qt::ControlWidget;

namespace {

// One QApplication for the whole test program; each test gets a fresh front end and panels.
struct QtEnvironment : ::testing::Environment {
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override {
        uirt::ResetModel();
        app.reset();
    }
    int argc = 1;
    char name[8] = "test_qt";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
// gtest takes ownership of the environment.
[[maybe_unused]] auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

struct Event {
    int control, event, data1, data2;
    bool operator==(const Event&) const = default;
};
std::vector<Event> events;
std::vector<std::string> menuLog;

int Record(int, int control, int event, void*, int data1, int data2) {
    events.push_back({control, event, data1, data2});
    return 0;
}

using Events = std::vector<int>;
const Events kCommit{EVENT_COMMIT}, kChangeCommit{EVENT_VAL_CHANGED, EVENT_COMMIT};

Events EventsOf(int control) {
    Events out;
    for (const Event& e : events)
        if (e.control == control) out.push_back(e.event);
    return out;
}

int IntVal(int panel, int control) {
    int value = 0;
    GetCtrlVal(panel, control, &value);
    return value;
}

// Main and setup panels shown, radio groups converted, every control recording its events.
class QtFrontEndTest : public QtPanelTest {
  protected:
    void SetUp() override {
        QtPanelTest::SetUp();
        if (HasFatalFailure()) return;
        setup_ = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL);
        ASSERT_GT(setup_, 0);
        bar_ = GetPanelMenuBar(main_);
        for (int tree : {SETUPPANEL_DATATYPERADIO, SETUPPANEL_DATASZRADIO,
                         SETUPPANEL_BYTEORDERRADIO, SETUPPANEL_IOMODE})
            Radio_ConvertFromTree(setup_, tree);
        for (int panel : {main_, setup_}) {
            for (const uirt::ControlState& c : uirt::FindPanel(panel)->controls)
                InstallCtrlCallback(panel, c.id, Record, nullptr);
            DisplayPanel(panel);
        }
        events.clear();
        menuLog.clear();
    }

    int setup_ = 0, bar_ = 0;
};

// Fails on any of the nine panels when the window has not the panel's title, the area not its
// size, a control has no widget or lies outside the area, two controls or labels overlap, or a
// text does not fit its control; on a wizard page also when a text line wraps or scrolls, or
// anything but the splitter lines comes within 12 pixels of the right edge.
TEST_F(QtFrontEndTest, EveryPanelShowsItsControlsInPlaceWithoutOverlapOrClipping) {
    std::vector<int> all = {main_, setup_, LoadPanel(0, "About.uir", 1)};
    for (int page = 1; page <= 6; ++page)
        all.push_back(LoadPanel(0, "ProgWizUIR.uir", page));
    Radio_ConvertFromTree(all[6], PANEL_4_RADIOGROUP); // as the wizard does
    // Filled as start-up fills them; their images go to the screenshots.
    InsertListItem(setup_, SETUPPANEL_LSTDEVICES, -1, "Simulated board", 0);
    SetCtrlVal(setup_, SETUPPANEL_SERNUMTXT, "SIM00001");
    SetCtrlVal(setup_, SETUPPANEL_LED, 1);
    SetCtrlVal(main_, MAINPANEL_INFOTEXTBOX,
               "1 device(s) found on the USB bus\nDevice 0: Simulated board - SN SIM00001\n"
               "00000000 : 00 01 02 03 04 05 06 07\n");
    SetCtrlVal(all[2], ABOUTPANEL_VERSION_TXT,
               "F1.0.0.67P2.0.0.56 - CorvoUsb 2.0 File vX.X.X.X - Product vX.X.X.X");
    ASSERT_TRUE(QDir().mkpath(KESTREL_SCREENSHOT_DIR));
    for (std::size_t n = 0; n < all.size(); ++n) {
        ASSERT_GT(all[n], 0);
        const QString shot = n < 3 ? QStringList{"main", "setup", "about"}[int(n)]
                                   : QStringLiteral("wizard%1").arg(n - 2);
        DisplayPanel(all[n]);
        EXPECT_TRUE(uirt::qt::SavePanelImage(all[n], KESTREL_SCREENSHOT_DIR "/" + shot + ".png"));
        const uirt::PanelRes& res = *uirt::FindPanel(all[n])->res;
        QWidget* window = uirt::qt::PanelWindow(all[n]);
        QWidget* area = window->findChild<QWidget*>(QStringLiteral("panelArea"));
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(std::tuple(window->windowTitle().toStdString(), area->size()),
                  std::tuple(res.title, QSize(res.width, res.height)));
        std::vector<std::pair<QRect, std::string>> boxes;
        for (const uirt::ControlState& c : uirt::FindPanel(all[n])->controls) {
            const std::string name = c.res->constName;
            QWidget* w = ControlWidget(all[n], c.id); // timers have none: a tick source instead
            EXPECT_TRUE(c.kind == CtrlKind::Timer ? !w && uirt::qt::TimerOf(all[n], c.id)
                                                  : w != nullptr)
                << name;
            if (!w) continue;
            EXPECT_TRUE(w->pos() == QPoint(c.left, c.top) && area->rect().contains(w->geometry()))
                << name;
            // Frames and separator lines lie behind groups by design.
            if (!w->isVisible() || c.kind == CtrlKind::Decoration || c.kind == CtrlKind::Splitter)
                continue;
            boxes.push_back({w->geometry(), name});
            if (QWidget* label = ControlLabel(all[n], c.id); label && label->isVisible())
                boxes.push_back({label->geometry(), name + " label"});
            const auto* l = qobject_cast<QLabel*>(w); // the width its text needs
            const int need =
                l ? l->fontMetrics().horizontalAdvance(l->text()) + l->contentsMargins().left() +
                        l->contentsMargins().right()
                : qobject_cast<QAbstractButton*>(w) || qobject_cast<uirt::qt::RadioGroup*>(w)
                    ? w->sizeHint().width()
                    : 0;
            EXPECT_LE(need, w->width()) << name;
        }
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                EXPECT_FALSE(boxes[i].first.intersects(boxes[j].first))
                    << boxes[i].second << " overlaps " << boxes[j].second;
        if (n < 3) continue; // the rest for wizard pages only
        QApplication::processEvents();
        for (QWidget* w : window->findChildren<QWidget*>())
            EXPECT_TRUE(!w->property("uirtControl").isValid() ||
                        w->objectName().contains("SPLITTER") ||
                        w->mapTo(window, QPoint(w->width(), 0)).x() <= window->width() - 12)
                << w->objectName().toStdString();
        for (auto* box : window->findChildren<QPlainTextEdit*>()) {
            EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
            for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
                EXPECT_LE(b.layout()->lineCount(), 1) << b.text().toStdString();
        }
        for (auto* field : window->findChildren<QLineEdit*>()) {
            QStyleOptionFrame option;
            option.initFrom(field);
            const QRect room =
                field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
            EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), room.width() - 4)
                << field->text().toStdString();
        }
    }
}

// Fails when a program write, dimming, visibility, a bound (range, maximum length, switch
// text), a selection, a text message or a tree's background does not reach its widget, or
// raises an event, or a dimmed widget still passes input to the model.
TEST_F(QtFrontEndTest, ProgramWritesUpdateWidgetsAndRaiseNoEvent) {
    auto* lat = widget<uirt::qt::NumericField>(setup_, SETUPPANEL_LATTIMER);
    auto* serial = widget<QLineEdit>(setup_, SETUPPANEL_SERNUMTXT);
    auto* sw = widget<uirt::qt::ToggleSwitch>(setup_, SETUPPANEL_BINARYSWITCH);
    auto* message = widget<QLabel>(setup_, SETUPPANEL_TEXTMSG);
    EXPECT_EQ(std::tuple(lat->maximum(), serial->maxLength(), sw->onText(), message->text()),
              std::tuple(255, 9, QStringLiteral("Corvo"), QStringLiteral("Input/Output")));
    SetCtrlAttribute(setup_, SETUPPANEL_LATTIMER, ATTR_MAX_VALUE, 100.0);
    SetCtrlAttribute(setup_, SETUPPANEL_SERNUMTXT, ATTR_MAX_ENTRY_LENGTH, 5);
    SetCtrlAttribute(setup_, SETUPPANEL_BINARYSWITCH, ATTR_ON_TEXT, "Other");
    SetCtrlVal(setup_, SETUPPANEL_TEXTMSG, "Mode");
    EXPECT_EQ(std::tuple(lat->maximum(), serial->maxLength(), sw->onText(), message->text()),
              std::tuple(100, 5, QStringLiteral("Other"), QStringLiteral("Mode")));
    SetCtrlVal(setup_, SETUPPANEL_LATTIMER, 17);
    SetCtrlAttribute(setup_, SETUPPANEL_DATA, ATTR_MIN_DIGITS, 4);
    SetCtrlVal(setup_, SETUPPANEL_DATA, 0xAAu);
    SetCtrlVal(setup_, SETUPPANEL_SERNUMTXT, "SN424");
    SetCtrlAttribute(setup_, SETUPPANEL_SERNUMTXT, ATTR_TEXT_SELECTION_START, 1);
    SetCtrlAttribute(setup_, SETUPPANEL_SERNUMTXT, ATTR_TEXT_SELECTION_LENGTH, 3);
    SetCtrlVal(setup_, SETUPPANEL_LOOPCHECKBOX, 1);
    SetCtrlVal(setup_, SETUPPANEL_LED, 1);
    SetCtrlVal(setup_, SETUPPANEL_BINARYSWITCH, 0);
    SetCtrlVal(setup_, SETUPPANEL_LOOPRING, 500);
    Radio_SetMarkedOption(setup_, SETUPPANEL_IOMODE, 3);
    InsertListItem(setup_, SETUPPANEL_LSTDEVICES, -1, "Board A", 0);
    SetCtrlVal(main_, MAINPANEL_INFOTEXTBOX, "first\n");
    uirt::qt::FlushTextBoxes();

    EXPECT_EQ(std::tuple(lat->text(),
                         widget<uirt::qt::NumericField>(setup_, SETUPPANEL_DATA)->text(),
                         serial->text(), serial->selectedText()),
              std::tuple(QStringLiteral("17"), QStringLiteral("00AA"), QStringLiteral("SN424"),
                         QStringLiteral("N42")));
    EXPECT_EQ(std::tuple(widget<QCheckBox>(setup_, SETUPPANEL_LOOPCHECKBOX)->isChecked(),
                         widget<uirt::qt::Led>(setup_, SETUPPANEL_LED)->isOn(), sw->isOn(),
                         widget<uirt::qt::RadioGroup>(setup_, SETUPPANEL_IOMODE)->marked()),
              std::tuple(true, true, false, 3));
    EXPECT_EQ(std::tuple(widget<QComboBox>(setup_, SETUPPANEL_LOOPRING)->currentText(),
                         widget<QComboBox>(setup_, SETUPPANEL_LSTDEVICES)->currentText()),
              std::tuple(QStringLiteral("500 ms"), QStringLiteral("Board A")));
    auto* box = widget<QPlainTextEdit>(main_, MAINPANEL_INFOTEXTBOX);
    const QString appended = box->toPlainText();
    ResetTextBox(main_, MAINPANEL_INFOTEXTBOX, "replaced");
    EXPECT_EQ(std::tuple(appended, box->toPlainText()),
              std::tuple(QStringLiteral("first\n"), QStringLiteral("replaced")));

    auto* apply = widget<QPushButton>(setup_, SETUPPANEL_APPLYBTN);
    SetCtrlAttribute(setup_, SETUPPANEL_APPLYBTN, ATTR_DIMMED, 1);
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_TRUE(events.empty() && !apply->isEnabled());
    SetCtrlAttribute(setup_, SETUPPANEL_APPLYBTN, ATTR_DIMMED, 0);
    SetCtrlAttribute(setup_, SETUPPANEL_LATTIMER, ATTR_VISIBLE, 0);
    SetMenuBarAttribute(bar_, MENUBAR_TESTMENU_ERASE, ATTR_DIMMED, 1);
    EXPECT_EQ(std::tuple(apply->isEnabled(), ControlLabel(setup_, SETUPPANEL_LATTIMER)->isVisible(),
                         uirt::qt::MenuAction(bar_, MENUBAR_TESTMENU_ERASE)->isEnabled()),
              std::tuple(true, false, false));

    // A tree is drawn opaque until converted to a radio group, which is transparent.
    const int fresh = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL);
    auto* tree = widget<uirt::qt::RadioGroup>(fresh, SETUPPANEL_IOMODE);
    const bool opaque = tree->autoFillBackground();
    Radio_ConvertFromTree(fresh, SETUPPANEL_IOMODE);
    EXPECT_EQ(std::tuple(opaque, tree->autoFillBackground(),
                         tree->testAttribute(Qt::WA_TranslucentBackground)),
              std::tuple(true, false, true));
}

// Fails when a box asked to default to No lets Enter answer Yes, or the usual box stops
// defaulting to Yes.
TEST_F(QtPanelTest, ConfirmBoxDefaultsToTheButtonAskedFor) {
    for (int answer : {0, 1}) {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box && box->defaultButton());
            box->defaultButton()->click();
        });
        EXPECT_EQ(answer ? ConfirmPopup("Kestrel", "Exit?") : ConfirmPopup("Warning", "Erase?", 0),
                  answer);
    }
}

// Fails when a click raises other events than the headless front end (button: commit; check
// box, ring and switch: value changed then commit; radio option: commit), or the value is lost;
// or closing a window through the window manager does not press the panel's close control, or
// closes the window behind the model's back.
TEST_F(QtFrontEndTest, ClicksAndClosingRaiseTheSameEventsAsHeadless) {
    QTest::mouseClick(widget<QPushButton>(setup_, SETUPPANEL_APPLYBTN), Qt::LeftButton);
    QTest::mouseClick(widget<QCheckBox>(setup_, SETUPPANEL_PRINTCHK), Qt::LeftButton);
    QTest::keyClick(widget<QComboBox>(setup_, SETUPPANEL_LOOPRING), Qt::Key_Down);
    auto buttons =
        widget<uirt::qt::RadioGroup>(setup_, SETUPPANEL_DATASZRADIO)->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    auto* sw = widget<uirt::qt::ToggleSwitch>(setup_, SETUPPANEL_BINARYSWITCH);
    QTest::mouseClick(sw, Qt::LeftButton);

    int marked = -1;
    Radio_GetMarkedOption(setup_, SETUPPANEL_DATASZRADIO, &marked);
    EXPECT_EQ(std::tuple(EventsOf(SETUPPANEL_APPLYBTN), EventsOf(SETUPPANEL_DATASZRADIO), marked,
                         sw->isOn()),
              std::tuple(kCommit, kCommit, 2, false));
    for (auto [control, value] : {std::pair{SETUPPANEL_PRINTCHK, 1},
                                  {SETUPPANEL_LOOPRING, 5},
                                  {SETUPPANEL_BINARYSWITCH, 0}})
        EXPECT_EQ(std::tuple(EventsOf(control), IntVal(setup_, control)),
                  std::tuple(kChangeCommit, value))
            << control;
    events.clear();
    uirt::qt::PanelWindow(main_)->close();
    const Events quit = EventsOf(MAINPANEL_QUITBTN);
    events.clear();
    uirt::qt::PanelWindow(setup_)->close();
    // The callback did not hide the main window.
    EXPECT_EQ(
        std::tuple(quit, EventsOf(SETUPPANEL_CLOSEBTN), uirt::qt::PanelWindow(main_)->isVisible()),
        std::tuple(kCommit, kCommit, true));
}

// A callback that writes the field back on commit: the written value shows, and later
// keystrokes are not overwritten.
int WriteBackDouble(int panel, int control, int event, void*, int, int) {
    events.push_back({control, event, 0, 0});
    if (event == EVENT_COMMIT) SetCtrlVal(panel, control, 2 * IntVal(panel, control));
    return 0;
}

// Fails when typing raises events per keystroke, an entry is not clamped, Enter plus focus
// leaving raises twice, a step arrow raises nothing, a string selection is lost, or the hex
// field loses the top of the 32-bit range or takes a key that is not hexadecimal; or a
// callback's write-back is lost, or mirroring fights the user's typing.
TEST_F(QtFrontEndTest, TypingRaisesEventsOncePerFinishedEntry) {
    QWidget* window = uirt::qt::PanelWindow(setup_);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* lat = widget<uirt::qt::NumericField>(setup_, SETUPPANEL_LATTIMER);
    lat->setFocus();
    lat->selectAll();
    QTest::keyClicks(lat, "300");
    // Nothing stored or raised while typing.
    EXPECT_EQ(std::tuple(events.size(), IntVal(setup_, SETUPPANEL_LATTIMER)), std::tuple(0u, 2));
    QTest::keyClick(lat, Qt::Key_Return);
    EXPECT_EQ(
        std::tuple(EventsOf(SETUPPANEL_LATTIMER), IntVal(setup_, SETUPPANEL_LATTIMER), lat->text()),
        std::tuple(kChangeCommit, 255, QStringLiteral("255")));
    QString over = QStringLiteral("300");
    int at = 3;
    EXPECT_EQ(lat->validate(over, at), QValidator::Intermediate); // not an entry to take as is
    widget<QLineEdit>(setup_, SETUPPANEL_SERNUMTXT)->setFocus();  // focus leaves: no second entry
    EXPECT_EQ(EventsOf(SETUPPANEL_LATTIMER).size(), 2u);

    events.clear();
    auto* sub = widget<uirt::qt::NumericField>(setup_, SETUPPANEL_SUBADDRESS);
    sub->setFocus();
    QTest::keyClick(sub, Qt::Key_Up); // a step arrow is a finished entry
    EXPECT_EQ(std::tuple(EventsOf(SETUPPANEL_SUBADDRESS), sub->text()),
              std::tuple(kChangeCommit, QStringLiteral("01")));

    events.clear();
    auto* serial = widget<QLineEdit>(setup_, SETUPPANEL_SERNUMTXT);
    serial->setFocus();
    QTest::keyClicks(serial, "ABCDEFGHIJK"); // longer than the 9 characters allowed
    EXPECT_TRUE(events.empty());
    sub->setFocus(); // focus leaving finishes the entry
    char text[32] = "";
    GetCtrlVal(setup_, SETUPPANEL_SERNUMTXT, text);
    serial->setSelection(2, 3); // the user's selection reaches the model, without events
    EXPECT_EQ(std::tuple(EventsOf(SETUPPANEL_SERNUMTXT), std::string(text),
                         Selection(setup_, SETUPPANEL_SERNUMTXT)),
              std::tuple(kChangeCommit, "ABCDEFGHI", std::pair{2, 3}));

    // The hex field clamps a digit too many, takes the whole 32-bit range, refuses other keys.
    auto* data = widget<uirt::qt::NumericField>(setup_, SETUPPANEL_DATA);
    for (const char* typed : {"1FFFFFFFF", "ffffffff", "zz"}) {
        data->selectAll();
        QTest::keyClicks(data, typed);
        QTest::keyClick(data, Qt::Key_Return);
        unsigned value = 0;
        GetCtrlVal(setup_, SETUPPANEL_DATA, &value);
        EXPECT_EQ(std::tuple(value, data->text()),
                  std::tuple(0xFFFFFFFFu, QStringLiteral("FFFFFFFF")))
            << typed;
    }

    events.clear();
    InstallCtrlCallback(setup_, SETUPPANEL_WRTIMEOUT, WriteBackDouble, nullptr);
    auto* field = widget<uirt::qt::NumericField>(setup_, SETUPPANEL_WRTIMEOUT);
    field->selectAll();
    QTest::keyClicks(field, "21");
    QTest::keyClick(field, Qt::Key_Return);
    const QString written = field->text();
    field->selectAll();
    QTest::keyClicks(field, "7");
    SetCtrlVal(setup_, SETUPPANEL_RDTIMEOUT, 99); // another field written meanwhile
    EXPECT_EQ(std::tuple(written, field->text(), EventsOf(SETUPPANEL_WRTIMEOUT)),
              std::tuple(QStringLiteral("42"), QStringLiteral("7"), kChangeCommit));
}

int RunEditPopup(int panel, int control, int event, void*, int top, int left) {
    events.push_back({control, event, top, left});
    if (event == EVENT_RIGHT_CLICK)
        events.push_back(
            {0, RunPopupMenu(GetPanelMenuBar(panel), MENUBAR_EDIT, panel, top, left, 0, 0, 0, 0), 0,
             0});
    return 0;
}

// Fails when the dimmer does not run before a menu or the info box's pop-up menu shows, the
// pop-up's chosen item's callback does not run (menu bar items: qt_window_test), or a right click
// does not reach the model with its position or opens the pop-up elsewhere or loses the chosen
// item.
TEST_F(QtFrontEndTest, DimmerRunsBeforeTheMenuShowsAndRightClickOpensItAsAPopup) {
    const std::string kSelectAll = "item " + std::to_string(MENUBAR_EDIT_SELALL);
    InstallMenuDimmerCallback(bar_, [](int menuBar, int) {
        menuLog.push_back("dimmer");
        SetMenuBarAttribute(menuBar, MENUBAR_EDIT_COPY, ATTR_DIMMED, 1);
        SetMenuBarAttribute(menuBar, MENUBAR_EDIT_SELALL, ATTR_DIMMED, 0);
    });
    InstallMenuCallback(
        bar_, MENUBAR_EDIT_SELALL,
        [](int, int item, void*, int) { menuLog.push_back("item " + std::to_string(item)); },
        nullptr);
    SetMenuBarAttribute(bar_, MENUBAR_EDIT_COPY, ATTR_DIMMED, 0);
    QMenu* edit = uirt::qt::MenuOf(bar_, MENUBAR_EDIT);
    ASSERT_NE(edit, nullptr);
    bool copyEnabledWhenShown = true;
    QObject::connect(edit, &QMenu::aboutToShow, edit, [&] {
        copyEnabledWhenShown = uirt::qt::MenuAction(bar_, MENUBAR_EDIT_COPY)->isEnabled();
    });
    edit->popup(QPoint(10, 10));
    edit->hide();
    EXPECT_EQ(std::tuple(menuLog, copyEnabledWhenShown),
              std::tuple(std::vector<std::string>{"dimmer"}, false));
    menuLog.clear();

    // A right click in the info box opens the same menu as a pop-up at the click.
    InstallCtrlCallback(main_, MAINPANEL_INFOTEXTBOX, RunEditPopup, nullptr);
    auto* box = widget<QPlainTextEdit>(main_, MAINPANEL_INFOTEXTBOX);
    QPoint shownAt;
    QTimer::singleShot(0, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        shownAt = popup->pos();
        for (QAction* a : popup->actions())
            if (a->objectName() == QLatin1String("MENUBAR_EDIT_SELALL")) popup->setActiveAction(a);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    const QPoint inBox(40, 30);
    RightClick(box->viewport(), inBox);
    const QPoint inPanel = box->viewport()->mapTo(box->parentWidget(), inBox);
    // The second event holds RunPopupMenu's result.
    EXPECT_EQ(std::tuple(events, menuLog, shownAt),
              std::tuple(std::vector<Event>{{MAINPANEL_INFOTEXTBOX, EVENT_RIGHT_CLICK, inPanel.y(),
                                             inPanel.x()},
                                            {0, MENUBAR_EDIT_SELALL, 0, 0}},
                         std::vector<std::string>{"dimmer", kSelectAll},
                         box->parentWidget()->mapToGlobal(inPanel)));
}

// Fails when the timer control does not follow interval and enabled state, its ticks do not
// reach the callback, or a tick's handler that stops the timer is followed by another tick.
TEST_F(QtFrontEndTest, TimerControlTicksWhileEnabled) {
    uirt::qt::TickTimer* timer = uirt::qt::TimerOf(setup_, SETUPPANEL_TIMER);
    ASSERT_NE(timer, nullptr);
    const auto initial = std::tuple(timer->interval(), timer->isActive());
    SetCtrlAttribute(setup_, SETUPPANEL_TIMER, ATTR_INTERVAL, 0.002);
    SetCtrlAttribute(setup_, SETUPPANEL_TIMER, ATTR_ENABLED, 1);
    EXPECT_EQ(std::tuple(initial, timer->interval(), timer->isActive()),
              std::tuple(std::tuple(10, false), 2, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return EventsOf(SETUPPANEL_TIMER).size() >= 3; }, 2000));
    SetCtrlAttribute(setup_, SETUPPANEL_TIMER, ATTR_ENABLED, 0);
    EXPECT_EQ(std::tuple(EventsOf(SETUPPANEL_TIMER).front(), timer->isActive()),
              std::tuple(EVENT_TIMER_TICK, false));

    int ticks = 0;
    QObject::connect(timer, &uirt::qt::TickTimer::tick, timer, [&] {
        ++ticks;
        timer->stop();
    });
    timer->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(std::tuple(ticks, timer->isActive()), std::tuple(1, false));
}

// Fails when the busy pointer does not reach the window system, or a panel discarded by its own
// button's callback (the wizard's Finish) is deleted while the button still emits its signal
// (a crash, seen by the sanitizers) or keeps its window.
TEST_F(QtFrontEndTest, BusyPointerShowsAndAPanelMayDiscardItselfFromItsButton) {
    SetWaitCursor(1);
    const QCursor* busy = QApplication::overrideCursor();
    const int shape = busy ? busy->shape() : -1;
    SetWaitCursor(0);
    const int page = LoadPanel(0, "ProgWizUIR.uir", PANEL_6);
    DisplayPanel(page);
    QPointer<QWidget> window = uirt::qt::PanelWindow(page);
    InstallCtrlCallback(
        page, PANEL_6_FINISHBTN,
        [](int panel, int, int event, void*, int, int) {
            if (event == EVENT_COMMIT) DiscardPanel(panel);
            return 0;
        },
        nullptr);
    QTest::mouseClick(widget<QPushButton>(page, PANEL_6_FINISHBTN), Qt::LeftButton);
    const bool hidden = window && !window->isVisible() && !window->isEnabled();
    QApplication::processEvents();
    EXPECT_EQ(std::tuple(shape, QApplication::overrideCursor(), hidden, window.isNull()),
              std::tuple(int(Qt::WaitCursor), nullptr, true, true));
}

// The tick grid: on time, the next tick is one period away; a late tick is followed at once
// by the ones it missed until the grid is met again; a stall beyond the backlog restarts the
// grid one period after the late tick.
TEST(TickSchedule, CatchesUpLateTicksWithinTheBacklog) {
    using namespace std::chrono;
    using uirt::qt::TickSchedule;
    const TickSchedule::Clock::time_point t0{};
    TickSchedule s;
    s.start(t0, 2ms);
    EXPECT_EQ(s.next(t0 + 2ms), 2ms);            // tick 1 on time
    EXPECT_EQ(s.next(t0 + 4ms + 500us), 1500us); // tick 2 half a millisecond late
    for (int due = 0; due < 3; ++due) // tick 3 late by 7 ms: the ticks of 8, 10, 12 ms are due
        EXPECT_EQ(s.next(t0 + 13ms), 0ms);
    EXPECT_EQ(s.next(t0 + 13ms), 1ms); // caught up: the next tick at 14 ms
    const auto stalled = t0 + 14ms + TickSchedule::kMaxBacklog + 3ms;
    EXPECT_EQ(s.next(stalled), 2ms);
    EXPECT_EQ(s.next(stalled + 1ms), 3ms);
}

} // namespace
