// Strip chart widget: a Qt Charts view of a strip chart control, repainted at a bounded rate.
#include "platform/uirt/qt/StripChart.h"

#include <QColor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <deque>

namespace uirt::qt {

namespace {

// Trace values at x = x0, x0 + 1, ... as chart points. With more than two points per pixel
// column of the `columns` over [first, first + span), each column keeps only its lowest and
// highest point, in their order: the line through them covers the same pixels (every spike
// still drawn) while Qt Charts draws a few hundred points instead of thousands.
QList<QPointF> ShownPoints(const std::deque<double>& values, double x0, double first, double span,
                           int columns) {
    QList<QPointF> shown;
    if (values.size() <= 2 * static_cast<std::size_t>(columns) || span <= 0) {
        shown.reserve(static_cast<qsizetype>(values.size()));
        for (double v : values)
            shown.append(QPointF(x0++, v));
        return shown;
    }
    shown.reserve(2 * columns + 4);
    const double perX = columns / span;
    std::size_t low = 0, high = 0;
    const auto keep = [&] {
        for (std::size_t i : {std::min(low, high), std::max(low, high)}) {
            if (shown.isEmpty() || shown.back().x() != x0 + static_cast<double>(i))
                shown.append(QPointF(x0 + static_cast<double>(i), values[i]));
        }
    };
    double column = std::floor((x0 - first) * perX);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double c = std::floor((x0 + static_cast<double>(i) - first) * perX);
        if (c != column) {
            keep();
            column = c;
            low = high = i;
        }
        if (values[i] < values[low]) low = i;
        if (values[i] > values[high]) high = i;
    }
    keep();
    return shown;
}

} // namespace

StripChart::StripChart(QWidget* parent, int panel, int control)
    : QChartView(parent), panel_(panel), control_(control), x_(new QValueAxis), y_(new QValueAxis) {
    QChart* c = chart(); // owned by the view
    c->setMargins(QMargins(2, 2, 2, 2));
    c->setBackgroundRoundness(0);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->addAxis(x_, Qt::AlignBottom); // the chart owns its axes
    c->addAxis(y_, Qt::AlignLeft);
    x_->setLabelFormat(QStringLiteral("%d"));
    setRenderHint(QPainter::Antialiasing);
    repaint_.setSingleShot(true);
    repaint_.setInterval(kRepaintIntervalMs);
    connect(&repaint_, &QTimer::timeout, this, &StripChart::show);
}

void StripChart::showTraces(const ControlState& c) {
    QChart* ch = chart();
    while (series_.size() > c.traces.size()) {
        ch->removeSeries(series_.back());
        delete series_.back(); // removed series are no longer the chart's
        series_.pop_back();
    }
    while (series_.size() < c.traces.size()) {
        auto* s = new QLineSeries;
        ch->addSeries(s); // owned by the chart
        s->attachAxis(x_);
        s->attachAxis(y_);
        series_.push_back(s);
    }
    bool labelled = false;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const TraceState& t = c.traces[i];
        series_[i]->setName(QString::fromStdString(t.label));
        series_[i]->setColor(QColor::fromRgb(static_cast<QRgb>(t.color)));
        for (QLegendMarker* m : ch->legend()->markers(series_[i]))
            m->setVisible(!t.label.empty());
        labelled = labelled || !t.label.empty();
    }
    ch->legend()->setVisible(labelled);
    show();
}

void StripChart::schedule() {
    if (!repaint_.isActive()) repaint_.start();
}

void StripChart::show() {
    repaint_.stop();
    const ControlState* c = FindControl(panel_, control_);
    if (!c) return;
    const double first = static_cast<double>(std::max(0LL, c->pointsPlotted - c->pointsPerScreen));
    x_->setRange(first, first + c->pointsPerScreen - 1);
    const YRange y = ChartYRange(*c);
    y_->setRange(y.min, y.max);
    if (c->autoScale) y_->applyNiceNumbers(); // round ticks around the fitted range
    const qreal width =
        chart()->plotArea().width() > 0 ? chart()->plotArea().width() : this->width();
    const int columns = std::max(1, static_cast<int>(std::ceil(width * devicePixelRatioF())));
    for (std::size_t i = 0; i < series_.size() && i < c->traces.size(); ++i) {
        const auto& points = c->traces[i].points;
        const double x0 =
            static_cast<double>(c->pointsPlotted) - static_cast<double>(points.size());
        series_[i]->replace(ShownPoints(points, x0, first, c->pointsPerScreen, columns));
    }
}

void StripChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    schedule(); // the points per column changed
}

} // namespace uirt::qt
