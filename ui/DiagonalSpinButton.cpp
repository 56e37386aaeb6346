#include "ui/DiagonalSpinButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

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
    painter.fillRect(rect(), colours.button());

    const QColor light = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Dark);
    const bool upSunken = FPressed && FInside && FUpPressed;
    const bool downSunken = FPressed && FInside && !FUpPressed;

    // Upper-left half: its top and left edges face the light, the diagonal faces away.
    painter.setPen(upSunken ? shadow : light);
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(upSunken ? light : shadow);
    painter.drawLine(1, h - 2, w - 2, 1);
    // Lower-right half: the diagonal faces the light, its right and bottom edges face away.
    painter.setPen(downSunken ? shadow : light);
    painter.drawLine(1, h - 1, w - 1, 1);
    painter.setPen(downSunken ? light : shadow);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);

    // Small arrows at the centres of the two triangles.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int shift = 1;
    const QPoint up(w / 3 + (upSunken ? shift : 0), h / 3 + (upSunken ? shift : 0));
    const QPoint down((2 * w) / 3 + (downSunken ? shift : 0), (2 * h) / 3 + (downSunken ? shift : 0));
    painter.drawPolygon(QPolygon({up + QPoint(0, -1), up + QPoint(-2, 1), up + QPoint(2, 1)}));
    painter.drawPolygon(QPolygon({down + QPoint(-2, -1), down + QPoint(2, -1), down + QPoint(0, 1)}));
}
