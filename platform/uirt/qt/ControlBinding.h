// How one kind of control is shown by Qt widgets: a binding creates the widget, connects the
// user's input on it to the model and shows the model's state on it, like an item delegate.
// Each kind has one binding; Bindings.cpp registers them.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>

#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/qt/ViewHost.h"

namespace uirt::qt {

class ControlBinding;
class TickTimer;

QString qs(std::string_view s);

// The widgets of one control. All are children of the panel window.
struct ControlView {
    CtrlKind kind = CtrlKind::Decoration;
    const ControlBinding* binding = nullptr;
    ViewHost* host = nullptr;
    int panel = 0;
    QPointer<QWidget> widget;  // null for a timer
    QPointer<QLabel> label;    // separate label, when the kind has one
    QPointer<TickTimer> timer; // timer controls only
};

// Where a control's label is shown.
enum class LabelPlace {
    None,    // not shown
    Above,   // a separate line above the control
    Right,   // a separate label right of the control (a lamp)
    Inside,  // the widget shows it itself (showLabel)
    ToolTip, // as the widget's tool tip
};

// What a binding's create() builds in: the panel's window and area, and the front end.
struct BindingSite {
    QWidget* window;
    QWidget* area; // the panel area: controls are placed in its coordinates
    ViewHost& host;
    int panel;
    const ControlState& control;

    // A new widget in the panel area, named and tagged after the control, in its font.
    template <typename W> W* make() const {
        auto* w = new W(area); // owned by the panel area
        adopt(w);
        return w;
    }
    void adopt(QWidget* w) const;
    // Passes the widget's signal to the model as the user's input: call(panel, control,
    // signal arguments...), a uirt::input call.
    template <typename W, typename Signal, typename Call>
    void onInput(W* w, Signal signal, Call call) const {
        ViewHost& h = host;
        const int p = panel, id = control.id;
        QObject::connect(w, signal, w, [&h, p, id, call](auto... args) {
            h.userInput(p, id, [&] { call(p, id, args...); });
        });
    }
};

class ControlBinding {
  public:
    virtual LabelPlace labelPlace() const { return LabelPlace::None; }
    // Creates the control's widget (or timer) and connects the user's input on it to the
    // model through the host.
    virtual void create(ControlView& v, const BindingSite& site) const = 0;
    // Places the widget at the control's geometry and a label above it.
    virtual void place(ControlView& v, const ControlState& c) const;
    // Each shows one aspect of the model's state; a setter that compares first, so that
    // showing what the widget already shows leaves the user's cursor alone.
    virtual void showLabel(ControlView&, const ControlState&) const {}
    virtual void showValue(ControlView&, const ControlState&) const {}
    virtual void showRange(ControlView&, const ControlState&) const {}
    virtual void showItems(ControlView&, const ControlState&) const {}
    virtual void showLook(ControlView&, const ControlState&) const {}
    virtual void showSelection(ControlView&, const ControlState&) const {}
    virtual void showTimer(ControlView&, const ControlState&) const {}

  protected:
    ~ControlBinding() = default;
};

// The binding of a kind; a kind without one gets a binding that shows nothing.
const ControlBinding& BindingFor(CtrlKind kind);

// The widget of the view as W (the type its binding created).
template <typename W> W& widgetOf(const ControlView& v) {
    return *static_cast<W*>(v.widget.data());
}

} // namespace uirt::qt
