#include "ui/ClassicFont.h"

#include <QFontDatabase>
#include <QStringList>

QFont ClassicFont()
{
    const QString classic = "MS Sans Serif";
    QFont font = QFontDatabase::families().contains(classic) ? QFont(classic)
                                                              : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}
