// Bindings of the lists: ring (a QComboBox) and tree (a RadioGroup of its items).
#include <QComboBox>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/RadioGroup.h"

namespace uirt::qt {

namespace {

QStringList itemLabels(const ControlState& c) {
    QStringList labels;
    for (const ItemState& item : c.items)
        labels << qs(item.label);
    return labels;
}

class RingBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Above; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<QComboBox>();
        w->setMaxVisibleItems(16);
        site.onInput(w, &QComboBox::activated, input::chooseRingItem);
        v.widget = w;
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        auto& box = widgetOf<QComboBox>(v);
        if (box.currentIndex() != c.selectedIndex) box.setCurrentIndex(c.selectedIndex);
    }
    void showItems(ControlView& v, const ControlState& c) const override {
        auto& box = widgetOf<QComboBox>(v);
        const QStringList labels = itemLabels(c);
        QStringList shown;
        for (int i = 0; i < box.count(); ++i)
            shown << box.itemText(i);
        if (shown != labels) {
            box.clear();
            box.addItems(labels);
        }
    }
};

class TreeBinding final : public ControlBinding {
  public:
    LabelPlace labelPlace() const override { return LabelPlace::Above; }
    void create(ControlView& v, const BindingSite& site) const override {
        auto* w = site.make<RadioGroup>();
        site.onInput(w, &RadioGroup::optionClicked, input::markOption);
        v.widget = w;
    }
    void showValue(ControlView& v, const ControlState& c) const override {
        auto& group = widgetOf<RadioGroup>(v);
        int marked = -1;
        for (std::size_t i = 0; i < c.items.size(); ++i)
            if (c.items[i].marked) marked = static_cast<int>(i);
        if (group.marked() != marked) group.setMarked(marked);
    }
    void showItems(ControlView& v, const ControlState& c) const override {
        widgetOf<RadioGroup>(v).setOptions(itemLabels(c));
    }
    // A converted radio group has no frame and a transparent background; a plain tree is a
    // white framed list.
    void showLook(ControlView& v, const ControlState& c) const override {
        auto& group = widgetOf<RadioGroup>(v);
        const bool opaque = c.bgColor != VAL_TRANSPARENT;
        group.setAutoFillBackground(opaque);
        group.setAttribute(Qt::WA_TranslucentBackground, !opaque);
        if (opaque) {
            QPalette pal = group.palette();
            pal.setColor(QPalette::Window,
                         QColor::fromRgb(static_cast<QRgb>(c.bgColor & 0xFFFFFF)));
            group.setPalette(pal);
        }
    }
};

} // namespace

const ControlBinding& ringBinding = RingBinding();
const ControlBinding& treeBinding = TreeBinding();

} // namespace uirt::qt
