#include "ui/ClassicFont.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>

QFont ClassicFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            font = QFont(QString::fromLatin1(family));
            break;
        }
    }
    font.setPointSize(8);
    return font;
}

QFont FittingFont(QFont font, const QStringList& texts, int room)
{
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(text));
    if (widest > room)
        font.setStretch(std::max(50, room * 100 / widest));
    return font;
}
