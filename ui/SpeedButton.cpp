#include "ui/SpeedButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

TSpeedButton::TSpeedButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void TSpeedButton::enterEvent(QEnterEvent* event)
{
    FHovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TSpeedButton::leaveEvent(QEvent* event)
{
    FHovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = isDown();
    // Flat until the pointer is over it: then raised, and sunken while pressed.
    if (FHovered || down) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = rect();
        frame.lineWidth = 1;
        frame.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    }
    const int shift = down ? 1 : 0;
    const QPixmap glyph = FGlyph.pixmap(QSize(16, 16), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const int glyphTop = 4;
    painter.drawPixmap((width() - 16) / 2 + shift, glyphTop + shift, glyph);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect textRect(shift - 8, glyphTop + 16 + 2 + shift, width() + 16, height() - glyphTop - 18);
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text());
}
