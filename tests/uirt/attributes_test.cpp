// Control attributes: what a write does besides storing (re-clamping, cutting, checking) and
// which kinds have an attribute.
#include <gtest/gtest.h>

#include "TestPanel.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"

namespace {

class Attributes : public ::testing::Test {
  protected:
    void SetUp() override { panel = StartTestPanel(); }
    const uirt::ControlState& control(int id) const { return *uirt::FindControl(panel, id); }
    int panel = 0;
};

// Fails when a narrower range leaves the value outside it or a shorter maximum length leaves
// the text longer.
TEST_F(Attributes, NarrowerBoundsCutWhatTheyHold) {
    SetCtrlVal(panel, T_NUM, 200);
    EXPECT_EQ(SetCtrlAttribute(panel, T_NUM, ATTR_MAX_VALUE, 50.0), 0);
    EXPECT_EQ(control(T_NUM).value, 50);
    EXPECT_EQ(SetCtrlAttribute(panel, T_STR, ATTR_MAX_ENTRY_LENGTH, 2), 0);
    EXPECT_EQ(control(T_STR).text, "ab");
}

// Fails when a value out of an attribute's domain is stored, or an attribute is taken by a
// kind that does not have it.
TEST_F(Attributes, BadValuesAndKindsAreRefused) {
    EXPECT_EQ(SetCtrlAttribute(panel, T_NUM, ATTR_FORMAT, 7), UIE_BAD_VALUE);
    EXPECT_EQ(SetCtrlAttribute(panel, T_NUM, ATTR_MIN_DIGITS, 33), UIE_BAD_VALUE);
    EXPECT_EQ(SetCtrlAttribute(panel, T_TIMER, ATTR_INTERVAL, 0.0), UIE_BAD_VALUE);
    EXPECT_EQ(SetCtrlAttribute(panel, T_NUM, ATTR_DIMMED, 0.5), UIE_BAD_VALUE);
    EXPECT_EQ(SetCtrlAttribute(panel, T_STR, ATTR_ON_TEXT, "x"), UIE_BAD_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, T_STR, ATTR_MIN_VALUE, 1), UIE_BAD_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, T_NUM, ATTR_CTRL_KIND, 1), UIE_BAD_ATTRIBUTE);
    int interval = 0;
    EXPECT_EQ(GetCtrlAttribute(panel, T_TIMER, ATTR_INTERVAL, &interval), UIE_BAD_ATTRIBUTE);
    EXPECT_EQ(control(T_NUM).format, VAL_DECIMAL_FORMAT);
    EXPECT_EQ(control(T_TIMER).interval, 0.1);
}

} // namespace
