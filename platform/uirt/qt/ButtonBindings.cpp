// Bindings of the buttons: command button (a QPushButton), check box (a QCheckBox) and binary
// switch (a ToggleSwitch).
#include <QCheckBox>
#include <QPushButton>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/Indicators.h"
#include "platform/uirt/qt/PanelView.h"

namespace uirt::qt {

namespace {

void toggle(int panel, int id, bool on) {
    input::toggle(panel, id, on ? 1 : 0);
}

class CommandButtonBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Inside; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QPushButton>();
        w->setAutoDefault(false);
        site.onInput(w, &QPushButton::clicked,
                     [](int panel, int id, bool) { input::press(panel, id); });
        v.widget = w;
    }
    void showLabel(ControlView& v, const ControlState& c) const override {
        widgetOf<QPushButton>(v).setText(accelLabel(c.label));
    }
};

class CheckBoxBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Inside; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QCheckBox>();
        site.onInput(w, &QCheckBox::clicked, toggle);
        v.widget = w;
    }
    void showLabel(ControlView& v, const ControlState& c) const override {
        widgetOf<QCheckBox>(v).setText(accelLabel(c.label));
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        widgetOf<QCheckBox>(v).setChecked(c.value != 0);
    }
};

class BinarySwitchBinding final : public ControlBinding {
  public:
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<ToggleSwitch>();
        site.onInput(w, &ToggleSwitch::toggleRequested, toggle);
        v.widget = w;
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        widgetOf<ToggleSwitch>(v).setOn(c.value == c.onValue);
    }
    // The on and off texts are the switch's labels (a program writes them as such) and its
    // range.
    void showLabel(ControlView& v, const ControlState& c) const override { showRange(v, c); }
    void showRange(ControlView& v, const ControlState& c) const override {
        widgetOf<ToggleSwitch>(v).setTexts(qs(c.offText), qs(c.onText));
    }
};

} // namespace

const ControlBinding& commandButtonBinding = CommandButtonBinding();
const ControlBinding& checkBoxBinding = CheckBoxBinding();
const ControlBinding& binarySwitchBinding = BinarySwitchBinding();

} // namespace uirt::qt
