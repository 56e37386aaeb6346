#pragma once
#include <QLineEdit>

#include <functional>

class TDiagonalSpinButton;

// A one-line edit for a whole number with a diagonal spin button at its right end.
//
// Only digits, signs and control characters can be typed. Value reads the text as a whole number within
// MinValue..MaxValue (a text that is no number reads as MinValue); writing it clamps and rounds. Up and Down
// step by Increment, and so does the spin button. Leaving the field for another control clamps a number that
// lies out of bounds.
class TRxSpinEdit : public QLineEdit {
public:
    // Told of every key that goes down in the field (a Qt::Key), before the field handles it.
    using KeyDownHandler = std::function<void(int key)>;

    // beep sounds when a character is refused.
    explicit TRxSpinEdit(std::function<void()> beep, QWidget* parent = nullptr);

    double MinValue() const { return FMinValue; }
    void SetMinValue(double value) { FMinValue = value; }
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double value) { FMaxValue = value; }
    double Increment() const { return FIncrement; }
    void SetIncrement(double value) { FIncrement = value; }

    double Value() const;
    // Clamped to the bounds (while they differ), rounded half to even and shown in decimal.
    void SetValue(double value);

    void SetKeyDownHandler(KeyDownHandler handler);
    TDiagonalSpinButton* Button() const { return FButton; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double Clamped(double value) const;
    void Step(bool up);
    bool IsAccepted(const QString& typed) const;

    std::function<void()> FBeep;
    KeyDownHandler FOnKeyDown;
    TDiagonalSpinButton* FButton;
    double FMinValue = 0;
    double FMaxValue = 0;
    double FIncrement = 1;
};
