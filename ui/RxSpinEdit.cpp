#include "ui/RxSpinEdit.h"

#include "ui/DiagonalSpinButton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// An optional sign followed by decimal digits, within the 32-bit signed range; anything else is no number.
std::optional<int32_t> ParseWholeNumber(const QString& text)
{
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1)
            return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace

TRxSpinEdit::TRxSpinEdit(std::function<void()> beep, QWidget* parent)
    : QLineEdit(parent)
    , FBeep(std::move(beep))
    , FButton(new TDiagonalSpinButton(this))
{
    FButton->SetStepHandler([this](bool up) {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        Step(up);
    });
}

double TRxSpinEdit::Clamped(double value) const
{
    if (FMinValue == FMaxValue)
        return value;
    if (value < FMinValue)
        return FMinValue;
    if (value > FMaxValue)
        return FMaxValue;
    return value;
}

double TRxSpinEdit::Value() const
{
    const std::optional<int32_t> number = ParseWholeNumber(text());
    return Clamped(number ? *number : FMinValue);
}

void TRxSpinEdit::SetValue(double value)
{
    if (std::isnan(value))
        value = FMinValue;
    // Adding zero turns a rounded -0 into 0.
    const double rounded = std::nearbyint(Clamped(value)) + 0.0;
    setText(QString::number(rounded, 'f', 0));
}

void TRxSpinEdit::SetKeyDownHandler(KeyDownHandler handler)
{
    FOnKeyDown = std::move(handler);
}

void TRxSpinEdit::Step(bool up)
{
    SetValue(Value() + (up ? FIncrement : -FIncrement));
}

bool TRxSpinEdit::IsAccepted(const QString& typed) const
{
    for (const QChar c : typed) {
        const char16_t code = c.unicode();
        const bool control = code < 0x20 || code == 0x7F;
        const bool digit = code >= u'0' && code <= u'9';
        if (!control && !digit && code != u'+' && code != u'-')
            return false;
    }
    return true;
}

void TRxSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (FOnKeyDown)
        FOnKeyDown(event->key());
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        Step(event->key() == Qt::Key_Up);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Not inserted; passed on to the window as a dialog key.
        event->ignore();
        return;
    default:
        break;
    }
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !event->text().isEmpty() && !IsAccepted(event->text())) {
        event->accept();
        if (FBeep)
            FBeep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TRxSpinEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Entered from the keyboard or by the window handing focus back: the whole text is ready to be typed over.
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::PopupFocusReason:
        break;
    default:
        selectAll();
        break;
    }
}

void TRxSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move to another control counts as leaving the field, not the window losing activation.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const std::optional<int32_t> number = ParseWholeNumber(text());
    if (number && Clamped(*number) != *number)
        SetValue(*number);
}

void TRxSpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    const int side = std::max(0, height() - 2 * border);
    FButton->setGeometry(width() - border - side, border, side, side);
    setTextMargins(0, 0, side, 0);
}
