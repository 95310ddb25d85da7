// The Qt front end shows what the program writes: the bounds of an entry (a numeric's range,
// a string's maximum length, a switch's texts), a selection, a tree's look and a text
// message's text.
#include <QLabel>
#include <QLineEdit>

#include "QtPanelTest.h"
#include "platform/uirt/qt/Indicators.h"
#include "platform/uirt/qt/NumericField.h"
#include "platform/uirt/qt/RadioGroup.h"
#include "ui/Radio.h"

namespace {

class QtProgramWrites : public QtPanelTest {
  protected:
    void SetUp() override {
        QtPanelTest::SetUp();
        setup_ = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL);
        ASSERT_GT(setup_, 0);
    }
    int setup_ = 0;
};

// Fails when a range, a maximum length or a switch text is not shown, when loaded or changed.
TEST_F(QtProgramWrites, BoundsAreShownAsLoadedAndAsChanged) {
    const uirt::ControlState& timer = *uirt::FindControl(setup_, SETUPPANEL_LATTIMER);
    auto* field = widget<uirt::qt::NumericField>(setup_, SETUPPANEL_LATTIMER);
    EXPECT_EQ(field->maximum(), timer.maxValue);
    SetCtrlAttribute(setup_, SETUPPANEL_LATTIMER, ATTR_MAX_VALUE, 100.0);
    EXPECT_EQ(field->maximum(), 100);

    auto* serial = widget<QLineEdit>(setup_, SETUPPANEL_SERNUMTXT);
    EXPECT_EQ(serial->maxLength(), 9);
    SetCtrlAttribute(setup_, SETUPPANEL_SERNUMTXT, ATTR_MAX_ENTRY_LENGTH, 4);
    EXPECT_EQ(serial->maxLength(), 4);

    auto* toggle = widget<uirt::qt::ToggleSwitch>(setup_, SETUPPANEL_BINARYSWITCH);
    EXPECT_EQ(toggle->onText(), QStringLiteral("Corvo"));
    SetCtrlAttribute(setup_, SETUPPANEL_BINARYSWITCH, ATTR_ON_TEXT, "Other");
    EXPECT_EQ(toggle->onText(), QStringLiteral("Other"));
}

// Fails when a selection the program makes in a string field is not shown.
TEST_F(QtProgramWrites, ProgramSelectionIsShownInAStringField) {
    SetCtrlVal(setup_, SETUPPANEL_SERNUMTXT, "SN4242");
    SetCtrlAttribute(setup_, SETUPPANEL_SERNUMTXT, ATTR_TEXT_SELECTION_START, 1);
    SetCtrlAttribute(setup_, SETUPPANEL_SERNUMTXT, ATTR_TEXT_SELECTION_LENGTH, 3);
    EXPECT_EQ(widget<QLineEdit>(setup_, SETUPPANEL_SERNUMTXT)->selectedText(),
              QStringLiteral("N42"));
}

// Fails when a radio group converted from a tree keeps an opaque background, or a tree given a
// colour stays transparent.
TEST_F(QtProgramWrites, TreeBackgroundFollowsItsColour) {
    auto* group = widget<uirt::qt::RadioGroup>(setup_, SETUPPANEL_IOMODE);
    EXPECT_TRUE(group->autoFillBackground());
    Radio_ConvertFromTree(setup_, SETUPPANEL_IOMODE);
    EXPECT_FALSE(group->autoFillBackground());
    EXPECT_TRUE(group->testAttribute(Qt::WA_TranslucentBackground));
}

// Fails when a text message does not show its text, as loaded or as the program writes it.
TEST_F(QtProgramWrites, TextMessageShowsItsText) {
    auto* message = widget<QLabel>(setup_, SETUPPANEL_TEXTMSG);
    EXPECT_EQ(message->text(), QStringLiteral("Input/Output"));
    SetCtrlVal(setup_, SETUPPANEL_TEXTMSG, "Mode");
    EXPECT_EQ(message->text(), QStringLiteral("Mode"));
}

} // namespace
