#include "ui/LeftCaptionCheckBox.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

QRect TLeftCaptionCheckBox::IndicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    return QRect(width() - w, (height() - h) / 2, w, h);
}

void TLeftCaptionCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = IndicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    QStyleOptionButton label = option;
    label.rect = QRect(0, 0, indicator.rect.left() - spacing, height());
    painter.drawControl(QStyle::CE_CheckBoxLabel, label);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
        focus.rect = style()->itemTextRect(fontMetrics(), label.rect, flags, isEnabled(), text()).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool TLeftCaptionCheckBox::hitButton(const QPoint& at) const
{
    return rect().contains(at);
}
