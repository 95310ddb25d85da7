// Qt front end: the strip chart drawn with Qt Charts, and the file dialog.
#include "QtPanelTest.h"

#include <QChartView>
#include <QFileDialog>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <vector>

#include "tests/support/ScratchDir.h"

namespace {

enum { CHART = 2 };
const uirt::ControlRes kChart[] = {{.id = CHART,
                                    .kind = uirt::CtrlKind::StripChart,
                                    .maxValue = 100,
                                    .traces = 2,
                                    .pointsPerScreen = 4}};
const uirt::PanelRes kPanel = {.constName = "CHARTPANEL", .controls = kChart};

QList<QPointF> Points(QChart* chart, int series) {
    return static_cast<QLineSeries*>(chart->series().at(series))->points();
}

std::pair<double, double> Range(QChart* chart, Qt::Orientation axis) {
    const auto* a = static_cast<QValueAxis*>(chart->axes(axis).front());
    return {a->min(), a->max()};
}

} // namespace

// Fails if plotting redraws at once instead of at the bounded rate, or the drawn lines, their
// x positions (scrolling with the newest point) or the y range differ from the model's.
TEST_F(QtPanelTest, StripChartShowsThePointsAtABoundedRate) {
    uirt::RegisterPanelResource("ChartView.uir", 1, kPanel);
    const int panel = LoadPanel(0, "ChartView.uir", 1);
    auto* view = widget<QChartView>(panel, CHART);
    ASSERT_NE(view, nullptr);
    QChart* chart = view->chart();
    EXPECT_FALSE(chart->legend()->isVisible()); // no trace has a label
    SetTraceAttribute(panel, CHART, 2, ATTR_TRACE_LABEL, "errors");
    const double values[] = {1, 10, 2, 20, 3, 30, 4, 40, 5, 50, 6, 60};
    for (int i = 0; i < 12; i += 2)
        PlotStripChart(panel, CHART, values + i, 2);
    ASSERT_EQ(chart->series().size(), 2);
    EXPECT_TRUE(Points(chart, 0).isEmpty()); // not drawn yet
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Points(chart, 0).isEmpty(); }, 2000));
    EXPECT_EQ(Points(chart, 0), (QList<QPointF>{{2, 3}, {3, 4}, {4, 5}, {5, 6}}));
    EXPECT_EQ(Points(chart, 1).back(), QPointF(5, 60));
    EXPECT_EQ(Range(chart, Qt::Horizontal), std::pair(2.0, 5.0));
    EXPECT_EQ(Range(chart, Qt::Vertical), std::pair(0.0, 100.0));
    EXPECT_EQ(chart->series().at(1)->name(), "errors");
    EXPECT_TRUE(chart->legend()->isVisible());
    EXPECT_FALSE(chart->legend()->markers(chart->series().at(0)).front()->isVisible());

    SetCtrlAttribute(panel, CHART, ATTR_YAXIS_SCALING, VAL_AUTOSCALE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Range(chart, Qt::Vertical).second != 100; }, 2000));
    const auto [low, high] = Range(chart, Qt::Vertical); // the points' range, rounded outwards
    EXPECT_TRUE(low <= 3 && high >= 60 && high < 100) << low << " " << high;
}

// Fails if Qt Charts gets every point of a long window instead of at most two per pixel
// column, or if that reduction loses a one-point spike.
TEST_F(QtPanelTest, StripChartDrawsAtMostTwoPointsPerColumnKeepingSpikes) {
    uirt::RegisterPanelResource("ChartView.uir", 1, kPanel);
    const int panel = LoadPanel(0, "ChartView.uir", 1);
    QChart* chart = widget<QChartView>(panel, CHART)->chart();
    SetCtrlAttribute(panel, CHART, ATTR_WIDTH, 400);
    SetCtrlAttribute(panel, CHART, ATTR_HEIGHT, 200);
    DisplayPanel(panel);
    SetCtrlAttribute(panel, CHART, ATTR_POINTS_PER_SCREEN, 20000);
    std::vector<double> values(40000);
    for (std::size_t i = 0; i < values.size(); i += 4)
        values[i] = 1;      // trace 1 alternates 1, 0: two points per column
    values[2 * 12345] = 90; // trace 1's spike
    PlotStripChart(panel, CHART, values.data(), static_cast<int>(values.size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Points(chart, 0).isEmpty(); }, 2000));
    const QList<QPointF> shown = Points(chart, 0);
    EXPECT_LE(shown.size(), 2 * chart->plotArea().width() + 2);
    EXPECT_TRUE(shown.contains(QPointF(12345, 90)));
}

// Fails if the dialog does not ask for a file to save with the filter's patterns, or the typed
// name does not come back with the filter's extension as a new file.
TEST_F(QtPanelTest, FileDialogReturnsTheChosenPath) {
    TempDir dir;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters().front(), "*.csv *.txt (*.csv *.txt)");
        dialog->selectFile(QString::fromStdString((dir.path / "history").string()));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which is protected
    });
    char path[512] = "";
    EXPECT_EQ(FileSelectPopup(dir.path.c_str(), "h.csv", "*.csv;*.txt", "Save", 1, path, 512),
              VAL_NEW_FILE_SELECTED);
    EXPECT_EQ(path, (dir.path / "history.csv").string());
}
