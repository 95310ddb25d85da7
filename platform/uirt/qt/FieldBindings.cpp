// Bindings of the entry fields: numeric (a NumericField) and string (a QLineEdit). Both pass
// one entry per finished edit, never a keystroke.
#include <QLineEdit>
#include <cmath>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/NumericField.h"

namespace uirt::qt {

namespace {

std::int64_t whole(double v) {
    return static_cast<std::int64_t>(std::llround(v));
}

class NumericBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Above; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<NumericField>();
        site.onInput(w, &NumericField::entered, [](int panel, int id, std::int64_t value) {
            input::enterNumber(panel, id, static_cast<double>(value));
        });
        v.widget = w;
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        widgetOf<NumericField>(v).setValue(whole(c.value));
    }
    void showRange(ControlView& v, const ControlState& c) const override {
        auto& f = widgetOf<NumericField>(v);
        f.setRange(whole(c.minValue), whole(c.maxValue));
        f.setStep(std::max<std::int64_t>(1, whole(c.increment)));
        f.setHex(c.format == VAL_HEX_FORMAT);
        f.setMinDigits(c.minDigits);
        f.setValue(whole(c.value));
    }
};

class StringBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Above; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QLineEdit>();
        ViewHost& host = site.host;
        const int panel = site.panel, id = site.control.id;
        // One entry per finished edit (Enter or focus leaving), not per keystroke.
        QObject::connect(w, &QLineEdit::editingFinished, w, [&host, w, panel, id] {
            if (!w->isModified()) return;
            w->setModified(false);
            const QByteArray text = w->text().toUtf8();
            host.userInput(panel, id, [&] { input::enterText(panel, id, text.toStdString()); });
        });
        // The selection is the user's at once (the Edit menu's copy and cut act on it).
        auto pushSelection = [&host, w, panel, id] {
            const int start = w->hasSelectedText() ? w->selectionStart() : w->cursorPosition();
            const int length = static_cast<int>(w->selectedText().size());
            host.userInput(
                panel, id, [&] { input::selectText(panel, id, start, length); }, false);
        };
        QObject::connect(w, &QLineEdit::selectionChanged, w, pushSelection);
        QObject::connect(w, &QLineEdit::cursorPositionChanged, w, pushSelection);
        v.widget = w;
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        auto& e = widgetOf<QLineEdit>(v);
        const QString text = qs(c.text);
        if (e.text() != text) {
            e.setText(text);
            // Show the start of a long text, as a field does before the user enters it.
            if (!e.hasFocus()) e.setCursorPosition(0);
        }
        e.setModified(false);
    }
    void showRange(ControlView& v, const ControlState& c) const override {
        widgetOf<QLineEdit>(v).setMaxLength(c.maxLength > 0 ? c.maxLength : 32767);
    }
    void showSelection(ControlView& v, const ControlState& c) const override {
        auto& e = widgetOf<QLineEdit>(v);
        const int start = e.hasSelectedText() ? e.selectionStart() : e.cursorPosition();
        const int length = static_cast<int>(e.selectedText().size());
        if (start == c.selectionStart && length == c.selectionLength) return;
        if (c.selectionLength > 0)
            e.setSelection(c.selectionStart, c.selectionLength);
        else
            e.setCursorPosition(c.selectionStart);
    }
};

} // namespace

const ControlBinding& numericBinding = NumericBinding();
const ControlBinding& stringBinding = StringBinding();

} // namespace uirt::qt
