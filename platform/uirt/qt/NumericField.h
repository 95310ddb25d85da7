// Numeric entry field for the full unsigned 32-bit range, in decimal or hexadecimal.
#pragma once

#include <QAbstractSpinBox>
#include <cstdint>

namespace uirt::qt {

// QSpinBox holds only int; this field keeps a 64-bit value so that uint controls reach
// 0xFFFFFFFF. Hexadecimal values are shown in upper case, zero-padded to minDigits.
// The field raises entered() once per finished entry (Enter, focus leaving) or step arrow,
// never per keystroke; setValue() from the program raises nothing.
class NumericField : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit NumericField(QWidget* parent = nullptr);

    void setRange(std::int64_t min, std::int64_t max);
    void setStep(std::int64_t step) { step_ = step; }
    void setHex(bool hex);
    void setMinDigits(int digits);
    // Shows the value as given; the model decides clamping of program writes.
    void setValue(std::int64_t value);

    std::int64_t value() const { return value_; }
    std::int64_t minimum() const { return min_; }
    std::int64_t maximum() const { return max_; }
    bool isHex() const { return hex_; }
    int minDigits() const { return minDigits_; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

  signals:
    // The user finished an entry; the value is the parsed text clamped to the range.
    void entered(std::int64_t value);

  protected:
    StepEnabled stepEnabled() const override;
    QSize sizeHint() const override;

  private:
    QString format(std::int64_t value) const;
    bool parse(const QString& text, std::int64_t& out) const;
    void finishEntry();

    std::int64_t value_ = 0;
    std::int64_t min_ = 0;
    std::int64_t max_ = 0xFFFFFFFFLL;
    std::int64_t step_ = 1;
    bool hex_ = false;
    int minDigits_ = 0;
    bool edited_ = false;
};

} // namespace uirt::qt
