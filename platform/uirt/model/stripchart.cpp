// Model: strip charts: traces and their newest points, the y range shown, trace attributes.
#include <algorithm>
#include <cmath>

#include "platform/uirt/model/runtime.h"

namespace uirt {
namespace detail {

namespace {

constexpr int kMaxTraces = 32;
constexpr int kMinPointsPerScreen = 2;
constexpr int kMaxPointsPerScreen = 100000;
// Traces 1, 2, ... get these colours in turn until the program sets others.
constexpr int kTraceColors[] = {0x1F77B4, 0xD62728, 0x2CA02C, 0xFF7F0E,
                                0x9467BD, 0x8C564B, 0xE377C2, 0x7F7F7F};

void clearPoints(ControlState& c) {
    for (TraceState& t : c.traces)
        t.points.clear();
    c.pointsPlotted = 0;
}

void setTraces(ControlState& c, int count) {
    const std::size_t before = c.traces.size();
    c.traces.resize(static_cast<std::size_t>(count));
    for (std::size_t i = before; i < c.traces.size(); ++i)
        c.traces[i].color = kTraceColors[i % std::size(kTraceColors)];
    clearPoints(c);
}

void dropOldPoints(ControlState& c) {
    const auto keep = static_cast<std::size_t>(c.pointsPerScreen);
    for (TraceState& t : c.traces)
        if (t.points.size() > keep)
            t.points.erase(t.points.begin(),
                           t.points.begin() + static_cast<std::ptrdiff_t>(t.points.size() - keep));
}

} // namespace

void initChart(ControlState& c, const ControlRes& r) {
    setTraces(c, std::clamp(r.traces, 1, kMaxTraces));
    c.pointsPerScreen = std::clamp(r.pointsPerScreen, kMinPointsPerScreen, kMaxPointsPerScreen);
    c.autoScale = r.autoScale;
    if (!(c.maxValue > c.minValue)) c.maxValue = c.minValue + 1; // a range to show
}

int writeTraceCount(ControlState& c, int, double count) {
    if (count < 1 || count > kMaxTraces) return UIE_BAD_VALUE;
    setTraces(c, static_cast<int>(count));
    return 0;
}

int writePointsPerScreen(ControlState& c, int, double points) {
    if (points < kMinPointsPerScreen || points > kMaxPointsPerScreen) return UIE_BAD_VALUE;
    c.pointsPerScreen = static_cast<int>(points);
    dropOldPoints(c);
    return 0;
}

// The range stays non-empty: a minimum at or above the maximum (or the reverse) is refused.
int writeYAxisBound(ControlState& c, int attribute, double bound) {
    const bool isMin = attribute == ATTR_YAXIS_MIN;
    if (!std::isfinite(bound) || (isMin ? bound >= c.maxValue : bound <= c.minValue))
        return UIE_BAD_VALUE;
    (isMin ? c.minValue : c.maxValue) = bound;
    return 0;
}

int writeYAxisScaling(ControlState& c, int, double scaling) {
    if (scaling != VAL_MANUAL && scaling != VAL_AUTOSCALE) return UIE_BAD_VALUE;
    c.autoScale = scaling == VAL_AUTOSCALE;
    return 0;
}

void notifyPoints(int panelHandle, ControlState& c) {
    notifyControl(panelHandle, c.id, Change::Value);
}

} // namespace detail

YRange ChartYRange(const ControlState& c) {
    YRange r{c.minValue, c.maxValue};
    if (!c.autoScale) return r;
    bool any = false;
    for (const TraceState& t : c.traces)
        for (double v : t.points) {
            r = any ? YRange{std::min(r.min, v), std::max(r.max, v)} : YRange{v, v};
            any = true;
        }
    if (any && r.max == r.min) {
        const double margin = std::max(1.0, std::abs(r.min) * 0.1);
        r = {r.min - margin, r.max + margin};
    }
    return r;
}

} // namespace uirt

using namespace uirt;
using namespace uirt::detail;

namespace {

ControlState* chartControl(int panelHandle, int controlId, int* err) {
    ControlState* c = control(panelHandle, controlId, err);
    if (c && c->kind != CtrlKind::StripChart) {
        *err = UIE_BAD_CONTROL;
        return nullptr;
    }
    return c;
}

TraceState* trace(int panelHandle, int controlId, int number, int* err) {
    ControlState* c = chartControl(panelHandle, controlId, err);
    if (!c) return nullptr;
    if (number < 1 || number > static_cast<int>(c->traces.size())) {
        *err = UIE_BAD_INDEX;
        return nullptr;
    }
    return &c->traces[static_cast<std::size_t>(number - 1)];
}

} // namespace

int PlotStripChart(int panelHandle, int controlId, const double* values, int numberOfValues) {
    int err = 0;
    ControlState* c = chartControl(panelHandle, controlId, &err);
    if (!c) return err;
    const int traces = static_cast<int>(c->traces.size());
    if (numberOfValues < 0 || numberOfValues % traces != 0) return UIE_BAD_VALUE;
    if (numberOfValues == 0) return 0;
    if (!values) return UIE_NULL_POINTER;
    const double* end = values + numberOfValues;
    if (!std::all_of(values, end, [](double v) { return std::isfinite(v); })) return UIE_BAD_VALUE;
    for (const double* v = values; v != end; v += traces)
        for (int t = 0; t < traces; ++t)
            c->traces[static_cast<std::size_t>(t)].points.push_back(v[t]);
    c->pointsPlotted += numberOfValues / traces;
    dropOldPoints(*c);
    notifyPoints(panelHandle, *c);
    return 0;
}

int ClearStripChart(int panelHandle, int controlId) {
    int err = 0;
    ControlState* c = chartControl(panelHandle, controlId, &err);
    if (!c) return err;
    clearPoints(*c);
    notifyPoints(panelHandle, *c);
    return 0;
}

int SetTraceAttribute(int panelHandle, int controlId, int number, int attribute, int value) {
    int err = 0;
    TraceState* t = trace(panelHandle, controlId, number, &err);
    if (!t) return err;
    if (attribute != ATTR_TRACE_COLOR) return UIE_BAD_ATTRIBUTE;
    if (value < 0 || value > 0xFFFFFF) return UIE_BAD_VALUE;
    t->color = value;
    notifyControl(panelHandle, controlId, Change::Items);
    return 0;
}

int SetTraceAttribute(int panelHandle, int controlId, int number, int attribute,
                      const char* value) {
    int err = 0;
    TraceState* t = trace(panelHandle, controlId, number, &err);
    if (!t) return err;
    if (attribute != ATTR_TRACE_LABEL) return UIE_BAD_ATTRIBUTE;
    if (!value) return UIE_NULL_POINTER;
    t->label = value;
    notifyControl(panelHandle, controlId, Change::Items);
    return 0;
}

int GetTraceAttribute(int panelHandle, int controlId, int number, int attribute, int* value) {
    int err = 0;
    const TraceState* t = trace(panelHandle, controlId, number, &err);
    if (!t) return err;
    if (attribute != ATTR_TRACE_COLOR) return UIE_BAD_ATTRIBUTE;
    if (!value) return UIE_NULL_POINTER;
    *value = t->color;
    return 0;
}

int GetTraceAttribute(int panelHandle, int controlId, int number, int attribute, char* value,
                      std::size_t size) {
    int err = 0;
    const TraceState* t = trace(panelHandle, controlId, number, &err);
    if (!t) return err;
    if (attribute != ATTR_TRACE_LABEL) return UIE_BAD_ATTRIBUTE;
    return copyText(t->label, value, size);
}
