// Numeric entry field for the full unsigned 32-bit range, in decimal or hexadecimal.
#include "NumericField.h"

#include <QLineEdit>
#include <algorithm>

namespace uirt::qt {

NumericField::NumericField(QWidget* parent) : QAbstractSpinBox(parent) {
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lineEdit()->setText(format(value_));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { edited_ = true; });
    connect(this, &QAbstractSpinBox::editingFinished, this, &NumericField::finishEntry);
}

void NumericField::setRange(std::int64_t min, std::int64_t max) {
    min_ = std::min(min, max);
    max_ = std::max(min, max);
}

void NumericField::setHex(bool hex) {
    hex_ = hex;
    setValue(value_);
}

void NumericField::setMinDigits(int digits) {
    minDigits_ = std::clamp(digits, 0, 16);
    setValue(value_);
}

void NumericField::setValue(std::int64_t value) {
    value_ = value;
    edited_ = false;
    const QString text = format(value);
    // Leave the line edit alone when it already shows the value: keeps cursor and selection.
    if (lineEdit()->text() != text) lineEdit()->setText(text);
    update();
}

QString NumericField::format(std::int64_t value) const {
    if (hex_) {
        return QStringLiteral("%1")
            .arg(static_cast<qulonglong>(value) & 0xFFFFFFFFull, minDigits_, 16, QLatin1Char('0'))
            .toUpper();
    }
    return QStringLiteral("%1").arg(static_cast<qlonglong>(value), minDigits_, 10,
                                    QLatin1Char('0'));
}

bool NumericField::parse(const QString& text, std::int64_t& out) const {
    QString t = text.trimmed();
    if (hex_ && t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) t = t.mid(2);
    if (t.isEmpty() || t.size() > 20) return false;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, hex_ ? 16 : 10);
    if (!ok) return false;
    out = v;
    return true;
}

QValidator::State NumericField::validate(QString& input, int&) const {
    const QString t = input.trimmed();
    if (t.isEmpty() || (!hex_ && t == QLatin1String("-") && min_ < 0)) {
        return QValidator::Intermediate;
    }
    std::int64_t v = 0;
    if (!parse(t, v)) return QValidator::Invalid;
    return (v >= min_ && v <= max_) ? QValidator::Acceptable : QValidator::Intermediate;
}

void NumericField::fixup(QString& input) const {
    std::int64_t v = value_;
    if (parse(input, v)) v = std::clamp(v, min_, max_);
    input = format(v);
}

void NumericField::finishEntry() {
    if (!edited_) return;
    edited_ = false;
    std::int64_t v = value_;
    if (parse(lineEdit()->text(), v)) v = std::clamp(v, min_, max_);
    emit entered(v);
}

void NumericField::stepBy(int steps) {
    if (isReadOnly()) return;
    std::int64_t v = value_;
    parse(lineEdit()->text(), v);
    v = std::clamp(v + step_ * steps, min_, max_);
    edited_ = false;
    emit entered(v);
}

QAbstractSpinBox::StepEnabled NumericField::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled e = StepNone;
    if (value_ < max_) e |= StepUpEnabled;
    if (value_ > min_) e |= StepDownEnabled;
    return e;
}

QSize NumericField::sizeHint() const {
    QSize s = QAbstractSpinBox::sizeHint();
    const int chars = std::max<int>(minDigits_, static_cast<int>(format(max_).size()));
    s.setWidth(std::max(s.width(), fontMetrics().horizontalAdvance(QString(chars + 1, '0')) + 30));
    return s;
}

} // namespace uirt::qt
