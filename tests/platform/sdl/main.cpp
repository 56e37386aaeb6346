#include "VirtualPad.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The game controllers the tests plug in are their own virtual pads.
    KeepTheMachinesPadsOut();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
