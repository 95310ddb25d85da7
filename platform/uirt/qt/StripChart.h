// Strip chart widget: a Qt Charts view of a strip chart control, repainted at a bounded rate.
#pragma once

#include <QChartView>
#include <QTimer>
#include <vector>

#include "platform/uirt/model/state.h"

class QLineSeries;
class QValueAxis;

namespace uirt::qt {

// A loop plotting every tick would redraw the chart hundreds of times a second. The view
// shows the model's points at most once per kRepaintIntervalMs, whatever the plotting rate:
// schedule() only arms a timer, the timer's show() reads the model's points once.
class StripChart : public QChartView {
    Q_OBJECT
  public:
    static constexpr int kRepaintIntervalMs = 250;

    // Mirrors control `control` of panel `panel` (read back from the model when shown).
    StripChart(QWidget* parent, int panel, int control);

    // One line series per trace, with the traces' labels (in a legend when any has one) and
    // colours; then the points.
    void showTraces(const ControlState& c);
    // The points or axes changed: shown within kRepaintIntervalMs.
    void schedule();
    // Shows the model's points and axes now: x runs over points per screen and scrolls with
    // the newest point, y is the chart's range (set or fitted); at most two points per pixel
    // column and trace (the column's extremes) reach Qt Charts.
    void show();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int panel_, control_;
    QTimer repaint_;
    QValueAxis* x_;
    QValueAxis* y_;
    std::vector<QLineSeries*> series_;
};

} // namespace uirt::qt
