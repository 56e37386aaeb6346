#pragma once
#include "drawing/ImageList.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/headless/HeadlessGame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

// A freshly started race on the real pictures, stepped by calling the frame step directly.
class RaceTest : public ::testing::Test {
protected:
    explicit RaceTest(bool debug = false) : Game(std::make_unique<THeadlessGame>(debug)) {}

    TRace& Race() { return Game->Race(); }
    TQuibo& Green() { return *Race().Dinghies[0]; }
    TQuibo& Red() { return *Race().Dinghies[1]; }
    TDirectDrawSurface& Frame() { return Game->BackBuffer(); }
    void Step(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            Race().DXTimer1Timer(1);
    }

    int64_t CountPixels(uint32_t value)
    {
        int64_t n = 0;
        for (int32_t y = 0; y < Frame().Height(); ++y)
            for (int32_t x = 0; x < Frame().Width(); ++x)
                n += Frame().ReadPixel(x, y) == value;
        return n;
    }

    std::unique_ptr<THeadlessGame> Game;
};
