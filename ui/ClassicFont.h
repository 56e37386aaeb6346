#pragma once
#include <QFont>
#include <QStringList>

// The windows are laid out for "MS Sans Serif" at 8 points. Where it is missing, a face of about its width
// stands in, else the system's own dialog font at the same size.
QFont ClassicFont();

// The font narrowed, where needed, until every text fits into room pixels.
QFont FittingFont(QFont font, const QStringList& texts, int room);
