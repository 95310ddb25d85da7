// Strip charts in the model: points per trace, scrolling, clearing, y range, attributes.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/resource.h"
#include "platform/uirt/model/state.h"

namespace hl = uirt::headless;
using Points = std::vector<double>;

namespace {

enum { CHART = 2, NUM };
const uirt::ControlRes kControls[] = {
    {.id = CHART,
     .kind = uirt::CtrlKind::StripChart,
     .maxValue = 10,
     .traces = 2,
     .pointsPerScreen = 3},
    {.id = NUM, .kind = uirt::CtrlKind::Numeric},
};
const uirt::PanelRes kPanel = {.constName = "CHARTPANEL", .controls = kControls};

class StripChart : public ::testing::Test {
  protected:
    void SetUp() override {
        hl::Reset();
        uirt::RegisterPanelResource("Chart.uir", 1, kPanel);
        InitCVIRTE(nullptr, nullptr, nullptr);
        panel = LoadPanel(0, "Chart.uir", 1);
    }
    void TearDown() override { hl::Reset(); }
    std::pair<Points, Points> traces() {
        return {hl::ChartPoints(panel, CHART, 1), hl::ChartPoints(panel, CHART, 2)};
    }
    int panel = 0;
};

} // namespace

// Fails if values are not dealt to the traces in turn, old points do not scroll out, bad input
// stores anything, or clearing leaves points.
TEST_F(StripChart, PlotDealsValuesToTracesKeepsTheNewestAndRefusesBadInput) {
    const double values[] = {1, 10, 2, 20, 3, 30, 4, 40, 5, 50, NAN, 60};
    EXPECT_EQ(PlotStripChart(panel, CHART, values, 8), 0);
    EXPECT_EQ(traces(), std::pair(Points{2, 3, 4}, Points{20, 30, 40}));
    EXPECT_EQ(PlotStripChart(panel, CHART, values + 8, 2), 0);
    EXPECT_EQ(traces(), std::pair(Points{3, 4, 5}, Points{30, 40, 50}));
    const int V = UIE_BAD_VALUE, C = UIE_BAD_CONTROL;
    EXPECT_EQ(std::vector({PlotStripChart(panel, CHART, values, 3),
                           PlotStripChart(panel, CHART, values, -2),
                           PlotStripChart(panel, CHART, values + 8, 4),
                           PlotStripChart(panel, CHART, nullptr, 2),
                           PlotStripChart(panel, NUM, values, 2), ClearStripChart(panel, NUM)}),
              std::vector({V, V, V, UIE_NULL_POINTER, C, C}));
    EXPECT_EQ(traces(), std::pair(Points{3, 4, 5}, Points{30, 40, 50}));
    EXPECT_EQ(ClearStripChart(panel, CHART), 0);
    PlotStripChart(panel, CHART, values, 2); // dealt from trace 1 again
    EXPECT_EQ(traces(), std::pair(Points{1}, Points{10}));

    // Fails if fewer points per screen keep old points, a new trace count keeps points or gives a
    // trace no colour of its own, or an attribute takes a value, kind or trace it should refuse.
    PlotStripChart(panel, CHART, values, 6);
    EXPECT_EQ(SetCtrlAttribute(panel, CHART, ATTR_POINTS_PER_SCREEN, 2), 0);
    EXPECT_EQ(traces(), std::pair(Points{2, 3}, Points{20, 30}));
    EXPECT_EQ(SetCtrlAttribute(panel, CHART, ATTR_NUM_TRACES, 3), 0);
    EXPECT_EQ(traces(), std::pair(Points{}, Points{}));
    int colors[3] = {};
    for (int t : {1, 2, 3})
        GetTraceAttribute(panel, CHART, t, ATTR_TRACE_COLOR, &colors[t - 1]);
    EXPECT_TRUE(colors[0] != colors[1] && colors[1] != colors[2] && colors[0] != colors[2]);
    SetTraceAttribute(panel, CHART, 3, ATTR_TRACE_COLOR, 0x00FF00);
    GetTraceAttribute(panel, CHART, 3, ATTR_TRACE_COLOR, &colors[2]);
    EXPECT_EQ(colors[2], 0x00FF00);

    const int A = UIE_BAD_ATTRIBUTE, I = UIE_BAD_INDEX;
    EXPECT_EQ(std::vector({SetCtrlAttribute(panel, CHART, ATTR_NUM_TRACES, 33),
                           SetCtrlAttribute(panel, CHART, ATTR_POINTS_PER_SCREEN, 1),
                           SetCtrlAttribute(panel, CHART, ATTR_YAXIS_MIN, 10.0),
                           SetCtrlAttribute(panel, CHART, ATTR_YAXIS_SCALING, 2),
                           SetCtrlAttribute(panel, NUM, ATTR_YAXIS_MAX, 1.0),
                           SetTraceAttribute(panel, CHART, 4, ATTR_TRACE_COLOR, 0),
                           SetTraceAttribute(panel, CHART, 1, ATTR_TRACE_COLOR, 0x1000000),
                           SetTraceAttribute(panel, CHART, 1, ATTR_TRACE_LABEL, 5)}),
              std::vector({V, V, V, V, A, I, V, A}));

    // Fails if a manual axis follows the points, or an automatic one does not fit them (a flat
    // line gets room around it; an empty chart shows the set range).
    const auto range = [&] {
        const uirt::YRange r = uirt::ChartYRange(*uirt::FindControl(panel, CHART));
        return std::pair{r.min, r.max};
    };
    const double more[] = {-4, 25, 5, 5};
    SetCtrlAttribute(panel, CHART, ATTR_NUM_TRACES, 2);
    PlotStripChart(panel, CHART, more, 2);
    SetCtrlAttribute(panel, CHART, ATTR_YAXIS_MIN, -2.0);
    EXPECT_EQ(range(), std::pair(-2.0, 10.0));
    SetCtrlAttribute(panel, CHART, ATTR_YAXIS_SCALING, VAL_AUTOSCALE);
    EXPECT_EQ(range(), std::pair(-4.0, 25.0));
    ClearStripChart(panel, CHART);
    EXPECT_EQ(range(), std::pair(-2.0, 10.0));
    PlotStripChart(panel, CHART, more + 2, 2);
    EXPECT_EQ(range(), std::pair(4.0, 6.0));
}
