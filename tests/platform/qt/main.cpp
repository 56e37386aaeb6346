#include "TestScreen.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widgets need an application; without a display the tests still run on the offscreen platform.
    PrepareTestScreen();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
