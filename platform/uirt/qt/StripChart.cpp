// Strip chart widget: a Qt Charts view of a strip chart control, repainted at a bounded rate.
#include "platform/uirt/qt/StripChart.h"

#include <QColor>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>
#include <algorithm>

namespace uirt::qt {

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
    for (std::size_t i = 0; i < series_.size() && i < c->traces.size(); ++i) {
        const auto& points = c->traces[i].points;
        double x = static_cast<double>(c->pointsPlotted) - static_cast<double>(points.size());
        QList<QPointF> shown;
        shown.reserve(static_cast<qsizetype>(points.size()));
        for (double v : points)
            shown.append(QPointF(x++, v));
        series_[i]->replace(shown);
    }
}

} // namespace uirt::qt
