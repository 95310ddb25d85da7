// The Qt front end shows what bounds an entry: a numeric's range, a string's maximum length
// and a switch's texts, as loaded and as the program changes them.
#include <QLineEdit>

#include "QtPanelTest.h"
#include "platform/uirt/qt/Indicators.h"
#include "platform/uirt/qt/NumericField.h"

namespace {

class QtRanges : public QtPanelTest {
  protected:
    void SetUp() override {
        QtPanelTest::SetUp();
        setup_ = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL);
        ASSERT_GT(setup_, 0);
    }
    int setup_ = 0;
};

// Fails when a range, a maximum length or a switch text is not shown, when loaded or changed.
TEST_F(QtRanges, BoundsAreShownAsLoadedAndAsChanged) {
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

} // namespace
