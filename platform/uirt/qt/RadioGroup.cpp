// Radio group widget: a vertical list of radio buttons on a transparent background.
#include "RadioGroup.h"

#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace uirt::qt {

RadioGroup::RadioGroup(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(this); // owned by this widget
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::optionClicked);
}

void RadioGroup::setOptions(const QStringList& labels) {
    if (labels == labels_) return;
    labels_ = labels;
    const int marked = group_.checkedId();
    for (QAbstractButton* b : group_.buttons()) {
        group_.removeButton(b);
        delete b; // a child widget: deleting removes it from the layout
    }
    for (int i = 0; i < labels.size(); ++i) {
        auto* b = new QRadioButton(labels[i], this); // owned by this widget
        b->setAutoFillBackground(false);
        // Options share the control's height evenly: the model sizes it to its item heights.
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        group_.addButton(b, i);
        layout()->addWidget(b);
    }
    setMarked(marked);
}

void RadioGroup::setMarked(int index) {
    const QSignalBlocker block(&group_);
    if (QAbstractButton* b = group_.button(index)) {
        b->setChecked(true);
        return;
    }
    // No option marked: an exclusive group cannot uncheck, so lift exclusivity briefly.
    group_.setExclusive(false);
    for (QAbstractButton* b : group_.buttons())
        b->setChecked(false);
    group_.setExclusive(true);
}

int RadioGroup::optionHeight() const {
    return fontMetrics().height() + 6;
}

QSize RadioGroup::sizeHint() const {
    int w = 0;
    for (const QAbstractButton* b : group_.buttons())
        w = std::max(w, b->sizeHint().width());
    return {w, optionHeight() * static_cast<int>(labels_.size())};
}

} // namespace uirt::qt
