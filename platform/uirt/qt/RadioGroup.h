// Radio group widget: a vertical list of radio buttons on a transparent background.
#pragma once

#include <QButtonGroup>
#include <QStringList>
#include <QWidget>

namespace uirt::qt {

// Shows the options of a tree control converted into a radio group. A click asks for an
// option through optionClicked(); the model marks it and mirrors it back with setMarked()
// (no signal). With radio marks off (an unconverted tree) it still draws one option a line.
class RadioGroup : public QWidget {
    Q_OBJECT
  public:
    explicit RadioGroup(QWidget* parent = nullptr);
    // Rebuilds the buttons when the labels differ from the ones shown.
    void setOptions(const QStringList& labels);
    // Marks option index (or none when index is out of range), without signals.
    void setMarked(int index);
    int marked() const { return group_.checkedId(); }
    int count() const { return static_cast<int>(group_.buttons().size()); }
    // Height of one option line, so the model can size the control to fit its options.
    int optionHeight() const;
    QSize sizeHint() const override;

  signals:
    void optionClicked(int index);

  private:
    QButtonGroup group_;
    QStringList labels_;
};

} // namespace uirt::qt
