// The control bindings of the Qt front end, one per kind, and what they share.
#include <QVariant>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/Fonts.h"

namespace uirt::qt {

// Defined each in its binding's file.
extern const ControlBinding& numericBinding;
extern const ControlBinding& stringBinding;
extern const ControlBinding& textBoxBinding;
extern const ControlBinding& textMessageBinding;
extern const ControlBinding& commandButtonBinding;
extern const ControlBinding& checkBoxBinding;
extern const ControlBinding& binarySwitchBinding;
extern const ControlBinding& ledBinding;
extern const ControlBinding& ringBinding;
extern const ControlBinding& treeBinding;
extern const ControlBinding& timerBinding;
extern const ControlBinding& pictureBinding;
extern const ControlBinding& decorationBinding;
extern const ControlBinding& splitterBinding;
extern const ControlBinding& stripChartBinding;

namespace {

// For a kind without a binding (a resource out of step with the build): nothing is shown.
class NoBinding final : public ControlBinding {
  public:
    void create(ControlView&, const BindingSite&) const override {}
};

} // namespace

// The registration: a kind added to CtrlKind without a binding here does not compile.
const ControlBinding& BindingFor(CtrlKind kind) {
    switch (kind) {
    case CtrlKind::Numeric:
        return numericBinding;
    case CtrlKind::String:
        return stringBinding;
    case CtrlKind::TextBox:
        return textBoxBinding;
    case CtrlKind::TextMessage:
        return textMessageBinding;
    case CtrlKind::CommandButton:
        return commandButtonBinding;
    case CtrlKind::CheckBox:
        return checkBoxBinding;
    case CtrlKind::BinarySwitch:
        return binarySwitchBinding;
    case CtrlKind::Led:
        return ledBinding;
    case CtrlKind::Ring:
        return ringBinding;
    case CtrlKind::Tree:
        return treeBinding;
    case CtrlKind::Timer:
        return timerBinding;
    case CtrlKind::Picture:
        return pictureBinding;
    case CtrlKind::Decoration:
        return decorationBinding;
    case CtrlKind::Splitter:
        return splitterBinding;
    case CtrlKind::StripChart:
        return stripChartBinding;
    }
    static const NoBinding none;
    return none;
}

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void BindingSite::adopt(QWidget* w) const {
    w->setObjectName(qs(control.res->constName));
    w->setProperty("uirtControl", control.id);
    w->setFont(fontFor(control.res->font));
}

void ControlBinding::place(ControlView& v, const ControlState& c) const {
    if (!v.widget) return;
    v.widget->setGeometry(c.left, c.top, c.width, c.height);
    if (v.label) {
        v.label->adjustSize();
        v.label->move(c.left, c.top - v.label->height() - 2);
    }
}

} // namespace uirt::qt
