// Bindings of the controls that only show: text message (a QLabel), LED (a Led), picture,
// decoration (a framed box) and splitter (a line).
#include <QFrame>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/Fonts.h"
#include "platform/uirt/qt/Indicators.h"

namespace uirt::qt {

namespace {

// A text message never clips: a text wider than its control gets a smaller font. Captions
// (made bold by the panel view) keep their weight.
void fitText(QLabel& label, const ControlState& c) {
    QFont f = fontFor(c.res->font);
    f.setBold(label.font().bold());
    const QString text = label.text();
    const int room = c.width - label.contentsMargins().left() - label.contentsMargins().right();
    while (f.pointSizeF() > 7.0 && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    if (f != label.font()) label.setFont(f);
}

class TextMessageBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Inside; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QLabel>();
        w->setTextFormat(Qt::PlainText);
        w->setWordWrap(false);
        v.widget = w;
    }
    void place(ControlView& v, const ControlState& c) const override {
        ControlBinding::place(v, c);
        fitText(widgetOf<QLabel>(v), c);
    }
    // Without a text of its own the message shows its label.
    void showLabel(ControlView& v, const ControlState& c) const override { showValue(v, c); }
    void showValue(ControlView& v, const ControlState& c) const override {
        auto& label = widgetOf<QLabel>(v);
        const QString text = qs(c.text.empty() ? std::string_view(c.label) : c.text.view());
        if (label.text() != text) {
            label.setText(text);
            fitText(label, c);
        }
    }
};

class LedBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Right; }
    void create(ControlView& v, const BindingSite& site) const override {
        v.widget = site.make<Led>();
    }
    // The lamp is a square at the left; its label follows on the right.
    void place(ControlView& v, const ControlState& c) const override {
        const int side = std::min(c.height, c.width);
        v.widget->setGeometry(c.left, c.top, side, side);
        if (v.label) {
            v.label->adjustSize();
            v.label->move(c.left + side + 6, c.top + (side - v.label->height()) / 2);
        }
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        widgetOf<Led>(v).setOn(c.value != 0);
    }
};

class PictureBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::ToolTip; }
    void create(ControlView& v, const BindingSite& site) const override {
        v.widget = site.make<Picture>();
    }
};

class DecorationBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::ToolTip; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QFrame>();
        w->setFrameStyle(QFrame::Box | QFrame::Sunken);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        v.widget = w;
    }
};

class SplitterBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::ToolTip; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QFrame>();
        w->setFrameShadow(QFrame::Sunken);
        v.widget = w;
    }
};

} // namespace

const ControlBinding& textMessageBinding = TextMessageBinding();
const ControlBinding& ledBinding = LedBinding();
const ControlBinding& pictureBinding = PictureBinding();
const ControlBinding& decorationBinding = DecorationBinding();
const ControlBinding& splitterBinding = SplitterBinding();

} // namespace uirt::qt
