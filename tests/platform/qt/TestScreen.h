#pragma once
#include <QByteArray>
#include <QtGlobal>

// Before the QApplication: the offscreen platform when there is no display, and the screen a run asks for.
inline void PrepareTestScreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A run for a screen of another density as the window sees it with Qt's own scaling off.
    if (const QByteArray dpi = qgetenv("QUIBO_TEST_SCREEN_DPI"); !dpi.isEmpty()) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_FONT_DPI", dpi);
    }
    if (const QByteArray scale = qgetenv("QUIBO_TEST_SCALE"); !scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
}
