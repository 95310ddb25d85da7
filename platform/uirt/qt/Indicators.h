// Small painted controls: the LED lamp and the two-position switch.
#pragma once

#include <QWidget>

class QPainter;

namespace uirt::qt {

// A round lamp: bright green when on, dark when off. Display only.
class Led : public QWidget {
    Q_OBJECT
  public:
    explicit Led(QWidget* parent = nullptr);
    void setOn(bool on);
    bool isOn() const { return on_; }
    QSize sizeHint() const override { return {16, 16}; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    bool on_ = false;
};

// A slide switch with the off text on its left and the on text on its right.
// A click (or Space) asks for the other position through toggleRequested(); the owner
// stores it in the model, which mirrors it back with setOn() (no signal).
class ToggleSwitch : public QWidget {
    Q_OBJECT
  public:
    explicit ToggleSwitch(QWidget* parent = nullptr);
    void setTexts(const QString& offText, const QString& onText);
    void setOn(bool on);
    bool isOn() const { return on_; }
    const QString& onText() const { return onText_; }
    QSize sizeHint() const override;

  signals:
    void toggleRequested(bool on);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QRect trackRect() const;
    bool on_ = false;
    QString offText_;
    QString onText_;
};

} // namespace uirt::qt

namespace uirt::qt {

// A picture control: the program's emblem (a stylised board with its chip), as a side banner
// when tall, with the library's name when wide.
class Picture : public QWidget {
    Q_OBJECT
  public:
    explicit Picture(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    static void drawEmblem(QPainter& p, QRect r);
};

} // namespace uirt::qt
