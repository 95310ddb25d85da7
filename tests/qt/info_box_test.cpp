// The information box in the Qt front end: deferred display, line cap and the user's edits.
#include "QtPanelTest.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/uirt/qt/QtFrontEnd.h"
#include "platform/uirt/qt/TextBox.h"

namespace {

// The main panel shown, its information box at hand.
class InfoBox : public QtPanelTest {
  protected:
    void SetUp() override {
        QtPanelTest::SetUp();
        if (HasFatalFailure()) return;
        DisplayPanel(main_);
        box = widget<uirt::qt::TextBox>(main_, MAINPANEL_INFOTEXTBOX);
        ASSERT_NE(box, nullptr);
    }

    void Append(const std::string& text) { SetCtrlVal(main_, MAINPANEL_INFOTEXTBOX, text.c_str()); }
    QString ModelText() const {
        return QString::fromStdString(
            uirt::DisplayText(*uirt::FindControl(main_, MAINPANEL_INFOTEXTBOX)));
    }
    std::pair<int, int> ModelSelection() const { return Selection(main_, MAINPANEL_INFOTEXTBOX); }
    std::pair<int, int> WidgetSelection() const {
        const QTextCursor c = box->textCursor();
        return {c.selectionStart(), c.selectionEnd() - c.selectionStart()};
    }

    uirt::qt::TextBox* box = nullptr;
};

// Fails when appends reach the widget one by one instead of in one deferred insert, when text is
// lost, when the model is not exact meanwhile, or when the box stops following the end.
TEST_F(InfoBox, AppendsShowInOneInsertAfterTheIntervalWhileTheModelIsExact) {
    int inserts = 0;
    QObject::connect(box->document(), &QTextDocument::contentsChange, box,
                     [&](int, int, int added) { inserts += added > 0; });
    QString expected;
    for (int i = 0; i < 500; ++i) {
        Append("line " + std::to_string(i) + "\n");
        expected += QStringLiteral("line %1\n").arg(i);
    }
    EXPECT_EQ(std::tuple(ModelText(), box->toPlainText()), std::tuple(expected, QString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->toPlainText() == expected; }, 2000));
    QScrollBar* bar = box->verticalScrollBar();
    EXPECT_TRUE(inserts == 1 && bar->maximum() > 0 && bar->value() == bar->maximum());
}

int ResetOnRightClick(int panel, int control, int event, void*, int, int) {
    if (event == EVENT_RIGHT_CLICK) ResetTextBox(panel, control, "reset by the callback");
    return 0;
}

// Fails when the user can click, right-click, press a key or read a popup while the box still
// lags behind the model, when a right click rewrites the widget's text, or a text replaced by
// the right click's callback is not shown.
TEST_F(InfoBox, UserActionsAndPopupsSeeEverythingAppended) {
    const std::vector<std::pair<std::string, std::function<void()>>> actions{
        {"pressed\n",
         [&] { QTest::mousePress(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }},
        {"pressed\nright\n", [&] { RightClick(box->viewport(), QPoint(5, 5)); }},
        {"pressed\nright\nkey\n", [&] { QTest::keyClick(box, Qt::Key_End); }}};
    for (const auto& [shown, act] : actions) {
        ResetTextBox(main_, MAINPANEL_INFOTEXTBOX, "");
        Append(shown);
        act();
        EXPECT_EQ(box->toPlainText().toStdString(), shown);
    }
    Append("popup\n");
    QString shown;
    QTimer::singleShot(0, [&] {
        shown = box->toPlainText();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    MessagePopup("Kestrel", "text");
    EXPECT_EQ(shown, QStringLiteral("pressed\nright\nkey\npopup\n"));

    QTest::keyClicks(box, "typed ");
    int changes = 0;
    QObject::connect(box->document(), &QTextDocument::contentsChange, box,
                     [&](int, int, int) { ++changes; });
    RightClick(box->viewport(), QPoint(5, 5));
    EXPECT_EQ(changes, 0);
    InstallCtrlCallback(main_, MAINPANEL_INFOTEXTBOX, ResetOnRightClick, nullptr);
    RightClick(box->viewport(), QPoint(5, 5));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("reset by the callback"));
}

// Fails when the widget keeps other lines than the model under the cap, or the selection
// moves differently in the two.
TEST_F(InfoBox, LineCapDropsTheSameLinesInModelAndWidget) {
    uirt::SetTextBoxLineCap(4);
    Append("l0\nl1\nl2\n");
    uirt::qt::FlushTextBoxes();
    QTextCursor c = box->textCursor();
    c.setPosition(4);
    c.setPosition(7, QTextCursor::KeepAnchor); // "1\nl"
    box->setTextCursor(c);
    EXPECT_EQ(ModelSelection(), (std::pair{4, 3}));
    Append("l3\nl4\nl5\nl6\n"); // l0 to l2 go now in the model, in the widget at the flush
    uirt::qt::FlushTextBoxes();
    EXPECT_EQ(std::tuple(box->toPlainText(), WidgetSelection()),
              std::tuple(ModelText(), ModelSelection()));
    EXPECT_EQ(ModelText(), QStringLiteral("l3\nl4\nl5\nl6\n"));
    // The user's Return at the end adds a line: both drop the oldest.
    c.movePosition(QTextCursor::End);
    box->setTextCursor(c);
    QTest::keyClicks(box, "l7");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(std::tuple(box->toPlainText(), WidgetSelection()),
              std::tuple(ModelText(), ModelSelection()));
    EXPECT_EQ(ModelText(), QStringLiteral("l4\nl5\nl6\nl7\n"));
    // An edit while lines are queued (the model has dropped lines the widget still shows)
    // must not be applied at the widget's offsets.
    Append("l8\n");
    QTextCursor(box->document()).insertText(QStringLiteral("X")); // before "l4", not "l5"
    uirt::qt::FlushTextBoxes();
    EXPECT_EQ(std::tuple(ModelText(), box->toPlainText()),
              std::tuple(QStringLiteral("l5\nl6\nl7\nl8\n"), ModelText()));
}

// Fails when typing, deleting, replacing a selection, pasting (keys or Edit menu) or non-ASCII
// input leaves the model with another text than the widget, the echo moves the user's cursor,
// the program's selection is not shown, Ctrl+C does not copy through the desktop clipboard, or
// cut or paste rewrites the whole document instead of the part they change.
TEST_F(InfoBox, UserEditsAndCutAndPasteKeepModelAndWidgetAlike) {
    Append("hello world\nsecond line\n");
    uirt::qt::FlushTextBoxes();
    QTextCursor c = box->textCursor();
    c.setPosition(5);
    box->setTextCursor(c);
    QTest::keyClicks(box, ", dear");
    EXPECT_EQ(box->textCursor().position(), 11);
    c.setPosition(18);
    c.setPosition(24, QTextCursor::KeepAnchor); // "second"
    box->setTextCursor(c);
    QApplication::clipboard()->setText(QStringLiteral("pasted\ntext"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    for (const QString& key : {QStringLiteral("\u00e9"), QStringLiteral("t"),
                               QStringLiteral("\u00e9"), QStringLiteral(" ")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(box, &press);
    }
    QTest::keyClicks(box, "and on");
    EXPECT_EQ(
        std::tuple(ModelText(), box->toPlainText(), WidgetSelection()),
        std::tuple(QStringLiteral("hello, dear world\npasted\ntext\u00e9t\u00e9 and on line\n"),
                   ModelText(), std::pair{39, 0}));
    // Qt turns "\r\n" into one line break: offsets then differ from the model's bytes.
    ResetTextBox(main_, MAINPANEL_INFOTEXTBOX, "a\r\nb");
    c = box->textCursor();
    c.movePosition(QTextCursor::End);
    box->setTextCursor(c);
    QTest::keyClicks(box, "c");
    EXPECT_EQ(ModelText(), box->toPlainText());

    // The program's selection shows; Ctrl+C copies through the desktop clipboard; the Edit
    // menu's cut and paste change only their part of the document.
    ResetTextBox(main_, MAINPANEL_INFOTEXTBOX, "hello world\n");
    std::vector<std::array<int, 3>> changes;
    QObject::connect(box->document(), &QTextDocument::contentsChange, box,
                     [&](int at, int removed, int added) {
                         changes.push_back({at, removed, added});
                     });
    SetActiveCtrl(main_, MAINPANEL_INFOTEXTBOX);
    SetCtrlAttribute(main_, MAINPANEL_INFOTEXTBOX, ATTR_TEXT_SELECTION_START, 6);
    SetCtrlAttribute(main_, MAINPANEL_INFOTEXTBOX, ATTR_TEXT_SELECTION_LENGTH, 5);
    EXPECT_EQ(box->textCursor().selectedText(), QStringLiteral("world")); // the program selects
    QApplication::clipboard()->clear();
    int before = 1, after = 0;
    ClipboardHasText(&before);
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'C'); // copies through the desktop clipboard
    ClipboardHasText(&after);
    EXPECT_EQ(std::tuple(before, after, QApplication::clipboard()->text()),
              std::tuple(0, 1, QStringLiteral("world")));
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'X');
    EXPECT_EQ(box->toPlainText(), QStringLiteral("hello \n"));
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
    EXPECT_EQ(
        std::tuple(box->toPlainText(), ModelText(), WidgetSelection()),
        std::tuple(QStringLiteral("hello worldworld\n"), box->toPlainText(), std::pair{16, 0}));
    EXPECT_EQ(changes, (std::vector<std::array<int, 3>>{{6, 5, 0}, {6, 0, 5}, {11, 0, 5}}));
    uirt::SetTextBoxLineCap(2); // a paste over the cap drops the same lines in both
    QApplication::clipboard()->setText(QStringLiteral("a\nb\n"));
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
    EXPECT_EQ(std::tuple(ModelText(), box->toPlainText()),
              std::tuple(QStringLiteral("b\n\n"), ModelText()));
}

} // namespace
