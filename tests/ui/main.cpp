#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widgets need an application; without a display the tests still run on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
