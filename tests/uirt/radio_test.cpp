// Radio groups over the tree control.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/state.h"
#include "ui/KestrelUIR.h"
#include "ui/ProgWizUIR.h"
#include "ui/Radio.h"
#include "ui/Resources.h"

namespace hl = uirt::headless;

class Radio : public ::testing::Test {
  protected:
    // The marks of the setup panel's data-size group, in option order.
    std::vector<int> Marks() {
        std::vector<int> marks;
        for (const auto& item : uirt::FindControl(setup, SETUPPANEL_DATASZRADIO)->items)
            marks.push_back(item.marked);
        return marks;
    }
    void SetUp() override {
        hl::Reset();
        RegisterKestrelResources();
        InitCVIRTE(nullptr, nullptr, nullptr);
        setup = LoadPanel(0, "KestrelUIR.uir", SETUPPANEL);
        DisplayPanel(setup);
    }
    void TearDown() override { hl::Reset(); }
    int setup = 0;
};

// Fails if marking an option does not clear the others, reading it back gives another index,
// a bad index is taken, or a conversion or read of something that is not a tree succeeds.
TEST_F(Radio, ConversionKeepsOneMarkAndFitsTheOptions) {
    // Marks set before the conversion: one is left.
    SetTreeItemAttribute(setup, SETUPPANEL_DATASZRADIO, 1, ATTR_MARK_STATE, 1);
    SetTreeItemAttribute(setup, SETUPPANEL_DATASZRADIO, 2, ATTR_MARK_STATE, 1);
    ASSERT_EQ(Radio_ConvertFromTree(setup, SETUPPANEL_DATASZRADIO), SETUPPANEL_DATASZRADIO);
    const auto converted = Marks();
    EXPECT_EQ(std::count(converted.begin(), converted.end(), 1), 1);
    int index = -1;
    EXPECT_EQ(Radio_SetMarkedOption(setup, SETUPPANEL_DATASZRADIO, 2), 0);
    EXPECT_EQ(Radio_GetMarkedOption(setup, SETUPPANEL_DATASZRADIO, &index), 0);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(Radio_SetMarkedOption(setup, SETUPPANEL_DATASZRADIO, 0), 0);
    EXPECT_LT(Radio_SetMarkedOption(setup, SETUPPANEL_DATASZRADIO, 3), 0);
    EXPECT_EQ(Marks(), (std::vector<int>{1, 0, 0}));
    EXPECT_LT(Radio_ConvertFromTree(setup, SETUPPANEL_APPLYBTN), 0);
    EXPECT_LT(Radio_GetMarkedOption(setup, SETUPPANEL_APPLYBTN, &index), 0);

    // Fails if the conversion misses radio marks, marking on a label click or the fit to the
    // options, or the wizard's power-source group cannot be converted and marked like the others.
    ASSERT_EQ(Radio_ConvertFromTree(setup, SETUPPANEL_IOMODE), SETUPPANEL_IOMODE);
    const uirt::ControlState& c = *uirt::FindControl(setup, SETUPPANEL_IOMODE);
    int itemHeights = 0;
    std::size_t widest = 0;
    for (const auto& item : c.items) {
        EXPECT_EQ(std::pair(item.markType, item.markOnLabelClick), std::pair(VAL_MARK_RADIO, 1));
        itemHeights += item.height;
        widest = std::max(widest, item.label.size());
    }
    // Headless metrics: 7 px per character, a mark as wide as a 16 px line plus margins.
    EXPECT_EQ(std::tuple(c.height, c.width, c.columnWidth),
              std::tuple(itemHeights, 24 + 7 * static_cast<int>(widest), c.width));
    EXPECT_EQ(hl::MarkedOption(setup, SETUPPANEL_IOMODE), 0);
    const int page = LoadPanel(0, "ProgWizUIR.uir", PANEL_4);
    EXPECT_EQ(Radio_ConvertFromTree(page, PANEL_4_RADIOGROUP), PANEL_4_RADIOGROUP);
    Radio_SetMarkedOption(page, PANEL_4_RADIOGROUP, 1);
    EXPECT_EQ(hl::Text(page, PANEL_4_RADIOGROUP), "Self-powered");
}
