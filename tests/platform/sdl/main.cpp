#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // The game controllers the tests plug in are their own virtual pads.
    KeepTheMachinesPadsOut();
    // Nothing is heard: SDL's dummy driver takes the sound and drops it, on an audio thread as a device would.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
