#include "platform/qt/OpaquePainting.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

void MakeOpaque(QPainter& painter, const QRegion& region)
{
    // A widget paints into its window's backing store: the engine's device is that image.
    const QPaintDevice* target = painter.paintEngine() != nullptr ? painter.paintEngine()->paintDevice() : nullptr;
    if (target == nullptr || target->devType() != QInternal::Image
        || !static_cast<const QImage*>(target)->hasAlphaChannel())
        return;
    // Opaque black behind what is there: a pixel of alpha a gains (1 - a) of black, which adds no colour.
    painter.save();
    painter.setClipping(false);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    for (const QRect& part : region)
        painter.fillRect(part, Qt::black);
    painter.restore();
}
