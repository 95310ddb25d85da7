// Binding of the strip chart control: a StripChart (Qt Charts) with the label as its title.
#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/StripChart.h"

namespace uirt::qt {

namespace {

class StripChartBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Inside; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = new StripChart(site.area, site.panel, site.control.id); // owned by the area
        site.adopt(w);
        v.widget = w;
    }
    void showLabel(ControlView& v, const ControlState& c) const override {
        QChart& chart = *widgetOf<StripChart>(v).chart();
        if (chart.title() != qs(c.label)) chart.setTitle(qs(c.label));
    }
    void showItems(ControlView& v, const ControlState& c) const override {
        widgetOf<StripChart>(v).showTraces(c);
    }
    void showValue(ControlView& v, const ControlState&) const override {
        widgetOf<StripChart>(v).schedule();
    }
    void showRange(ControlView& v, const ControlState&) const override {
        widgetOf<StripChart>(v).schedule();
    }
};

} // namespace

const ControlBinding& stripChartBinding = StripChartBinding();

} // namespace uirt::qt
