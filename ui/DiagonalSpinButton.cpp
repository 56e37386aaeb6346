#include "ui/DiagonalSpinButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

TDiagonalSpinButton::TDiagonalSpinButton(QWidget* parent)
    : QWidget(parent)
    , FRepeatTimer(this)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    FRepeatTimer.setTimerType(Qt::PreciseTimer);
    connect(&FRepeatTimer, &QTimer::timeout, this, [this] { Repeat(); });
}

void TDiagonalSpinButton::SetStepHandler(StepHandler handler)
{
    FOnStep = std::move(handler);
}

bool TDiagonalSpinButton::IsUpHalf(const QPoint& at) const
{
    // Above the line from (0, h) to (w, 0): x * h + y * w < w * h.
    const long long w = width();
    const long long h = height();
    return at.x() * h + at.y() * w < w * h;
}

void TDiagonalSpinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    FPressed = true;
    FInside = true;
    FUpPressed = IsUpHalf(event->position().toPoint());
    update();
    FRepeatTimer.start(FirstRepeatDelayMs);
    if (FOnStep)
        FOnStep(FUpPressed);
}

void TDiagonalSpinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!FPressed)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != FInside) {
        FInside = inside;
        update();
    }
}

void TDiagonalSpinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Release();
}

void TDiagonalSpinButton::Release()
{
    FRepeatTimer.stop();
    FPressed = false;
    update();
}

void TDiagonalSpinButton::Repeat()
{
    FRepeatTimer.setInterval(RepeatDelayMs);
    if (!isEnabled()) {
        Release();
        return;
    }
    // While the pointer is dragged off the button the repeat pauses, as a held push button's would.
    if (FInside && FOnStep)
        FOnStep(FUpPressed);
}

void TDiagonalSpinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const QPalette& colours = palette();
    const bool upSunken = FPressed && FInside && FUpPressed;
    const bool downSunken = FPressed && FInside && !FUpPressed;
    const QPolygon upHalf({QPoint(0, 0), QPoint(w, 0), QPoint(0, h)});
    const QPolygon downHalf({QPoint(w, 0), QPoint(w, h), QPoint(0, h)});

    painter.fillRect(rect(), colours.button());
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.button().color().darker(120));
    if (upSunken)
        painter.drawPolygon(upHalf);
    if (downSunken)
        painter.drawPolygon(downHalf);

    // Raised edges: light on the top and left, shadow on the bottom and right; the diagonal is a groove.
    const QColor light = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Shadow);
    const QColor dark = colours.color(QPalette::Dark);
    painter.setPen(upSunken ? dark : light);
    painter.drawLine(0, 0, w - 2, 0);
    painter.drawLine(0, 0, 0, h - 2);
    painter.setPen(downSunken ? dark : shadow);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    painter.setPen(dark);
    painter.drawLine(0, h - 2, w - 2, 0);
    painter.setPen(light);
    painter.drawLine(1, h - 2, w - 2, 1);

    // Arrows at the centres of the two triangles, moved by a pixel while pressed.
    const int size = std::max(2, std::min(w, h) / 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QPoint up = QPoint(w / 3, h / 3) + (upSunken ? QPoint(1, 1) : QPoint());
    const QPoint down = QPoint((2 * w) / 3, (2 * h) / 3) + (downSunken ? QPoint(1, 1) : QPoint());
    painter.drawPolygon(QPolygon({up + QPoint(0, -size / 2 - 1), up + QPoint(-size, size / 2 + 1), up + QPoint(size, size / 2 + 1)}));
    painter.drawPolygon(QPolygon({down + QPoint(-size, -size / 2 - 1), down + QPoint(size, -size / 2 - 1), down + QPoint(0, size / 2 + 1)}));
}
