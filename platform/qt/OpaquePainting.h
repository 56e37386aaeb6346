#pragma once
#include <QRegion>

class QPainter;

// Frames keep the top byte of their 0xRRGGBB pixels 0, and Qt copies a 32-bit RGB image as it is. Where the
// painter's target has an alpha channel (a Wayland window's shared-memory buffer does), that byte becomes the
// pixels' alpha and the compositor shows the desktop through them. This raises the alpha within the region to
// opaque and leaves every colour as it is; a target without alpha is left alone.
void MakeOpaque(QPainter& painter, const QRegion& region);
