#include "VirtualPad.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widgets need an application; without a display the tests still run on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A run for a screen of another density as the window sees it with Qt's own scaling off.
    if (const QByteArray dpi = qgetenv("QUIBO_TEST_SCREEN_DPI"); !dpi.isEmpty()) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_FONT_DPI", dpi);
    }
    if (const QByteArray scale = qgetenv("QUIBO_TEST_SCALE"); !scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
    // The game controllers the tests plug in are their own virtual pads: SDL looks for no devices of the
    // machine and takes none for a game controller but those.
    qputenv("SDL_JOYSTICK_DISABLE_UDEV", "1");
    qputenv("SDL_JOYSTICK_HIDAPI", "0");
    qputenv("SDL_GAMECONTROLLER_IGNORE_DEVICES_EXCEPT",
            QByteArray("0x") + QByteArray::number(VirtualPadVendor, 16).rightJustified(4, '0') + "/0x" +
                QByteArray::number(VirtualPadProduct, 16).rightJustified(4, '0'));
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
