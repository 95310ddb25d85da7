// Small painted controls: the LED lamp and the two-position switch.
#include "Indicators.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace uirt::qt {

Led::Led(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void Led::setOn(bool on) {
    if (on_ == on) return;
    on_ = on;
    update();
}

void Led::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = std::max(6, std::min(width(), height()) - 2);
    const QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    QRadialGradient g(r.center() - QPointF(d / 5.0, d / 5.0), d * 0.7);
    if (on_) {
        g.setColorAt(0, QColor(200, 255, 200));
        g.setColorAt(1, QColor(20, 170, 40));
    } else {
        g.setColorAt(0, QColor(120, 135, 120));
        g.setColorAt(1, QColor(40, 55, 40));
    }
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(g);
    p.drawEllipse(r);
}

ToggleSwitch::ToggleSwitch(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ToggleSwitch::setTexts(const QString& offText, const QString& onText) {
    offText_ = offText;
    onText_ = onText;
    updateGeometry();
    update();
}

void ToggleSwitch::setOn(bool on) {
    if (on_ == on) return;
    on_ = on;
    update();
}

QSize ToggleSwitch::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(offText_) + fm.horizontalAdvance(onText_) + 56,
            std::max(22, fm.height() + 6)};
}

QRect ToggleSwitch::trackRect() const {
    const QFontMetrics fm = fontMetrics();
    const int tw = 34, th = 16;
    const int offW = fm.horizontalAdvance(offText_);
    const int onW = fm.horizontalAdvance(onText_);
    // Centre the track between the two texts.
    const int x = offW + 6 + std::max(0, (width() - offW - onW - 12 - tw) / 2);
    return {x, (height() - th) / 2, tw, th};
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect track = trackRect();
    const QPalette& pal = palette();
    const bool enabled = isEnabled();

    auto textColor = [&](bool active) {
        if (!enabled) return pal.color(QPalette::Disabled, QPalette::WindowText);
        return active ? pal.color(QPalette::WindowText)
                      : pal.color(QPalette::Disabled, QPalette::WindowText);
    };
    QFont bold = font();
    bold.setBold(true);
    p.setFont(on_ ? font() : bold);
    p.setPen(textColor(!on_));
    p.drawText(QRect(0, 0, track.left() - 6, height()), Qt::AlignRight | Qt::AlignVCenter,
               offText_);
    p.setFont(on_ ? bold : font());
    p.setPen(textColor(on_));
    p.drawText(QRect(track.right() + 7, 0, width() - track.right() - 7, height()),
               Qt::AlignLeft | Qt::AlignVCenter, onText_);

    const QColor on = enabled ? pal.color(QPalette::Highlight) : QColor(170, 170, 170);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(on_ ? on : QColor(205, 205, 205));
    p.drawRoundedRect(QRectF(track).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    const int knob = track.height() - 4;
    const int kx = on_ ? track.right() - knob - 1 : track.left() + 2;
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QRect(kx, track.top() + 2, knob, knob));
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(track).adjusted(-2, -2, 2, 2), 9, 9);
    }
}

void ToggleSwitch::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        emit toggleRequested(!on_);
    }
}

void ToggleSwitch::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space) {
        emit toggleRequested(!on_);
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace uirt::qt

namespace uirt::qt {

Picture::Picture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (height() > width() * 4 / 3) {
        // A tall picture is a side banner (wizard pages): a gradient with the emblem on top.
        QLinearGradient banner(0, 0, 0, height());
        banner.setColorAt(0, QColor(40, 84, 140));
        banner.setColorAt(1, QColor(16, 36, 70));
        p.setPen(Qt::NoPen);
        p.setBrush(banner);
        p.drawRoundedRect(rect(), 6, 6);
        const int s = width() * 3 / 4;
        drawEmblem(p, QRect((width() - s) / 2, (width() - s) / 2, s, s));
        return;
    }
    if (width() > height() * 2) {
        // A wide picture is the library's logo: the emblem and its name.
        const int s = height();
        drawEmblem(p, QRect(0, 0, s, s));
        QFont f = font();
        f.setBold(true);
        f.setItalic(true);
        const QString name = QStringLiteral("CorvoUsb");
        int px = std::max(8, s * 2 / 5);
        f.setPixelSize(px);
        while (px > 8 && QFontMetrics(f).horizontalAdvance(name) > width() - s - 6)
            f.setPixelSize(--px);
        p.setFont(f);
        p.setPen(QColor(20, 80, 50));
        p.drawText(QRect(s + 4, 0, width() - s - 4, height()), Qt::AlignLeft | Qt::AlignVCenter,
                   name);
        return;
    }
    const int s = std::min(width(), height());
    drawEmblem(p, QRect((width() - s) / 2, (height() - s) / 2, s, s));
}

void Picture::drawEmblem(QPainter& p, QRect r) {
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 100.0, r.height() / 100.0);
    // Board.
    QLinearGradient board(0, 0, 100, 100);
    board.setColorAt(0, QColor(32, 110, 70));
    board.setColorAt(1, QColor(14, 70, 44));
    p.setPen(QPen(QColor(10, 45, 28), 2));
    p.setBrush(board);
    p.drawRoundedRect(QRectF(4, 4, 92, 92), 12, 12);
    // Traces.
    p.setPen(QPen(QColor(210, 170, 70), 3));
    for (int i = 0; i < 4; ++i) {
        const qreal y = 30 + i * 13;
        p.drawLine(QPointF(10, y), QPointF(28, y));
        p.drawLine(QPointF(72, y), QPointF(90, y));
    }
    // Chip with its pins.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 190, 190));
    for (int i = 0; i < 4; ++i) {
        const qreal y = 27 + i * 13;
        p.drawRect(QRectF(24, y, 8, 6));
        p.drawRect(QRectF(68, y, 8, 6));
    }
    p.setBrush(QColor(30, 30, 34));
    p.drawRoundedRect(QRectF(30, 22, 40, 56), 4, 4);
    p.setBrush(QColor(90, 90, 96));
    p.drawEllipse(QRectF(35, 27, 7, 7));
    p.restore();
}

} // namespace uirt::qt
