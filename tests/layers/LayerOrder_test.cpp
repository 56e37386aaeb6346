#include "LayerOrder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::filesystem::path Root = QUIBO_SOURCE_DIR;

TEST(LayerOrder, NoFileIncludesALayerAboveItNorQtOrSdlBelowTheAdapters)
{
    const std::vector<TInclude> includes = LayerIncludes(Root);
    std::set<std::string> folders;
    for (const TInclude& include : includes) {
        folders.insert(include.File.substr(0, include.File.find('/')));
        if (const auto fault = IncludeFault(Root, include.File, include.Target, include.Angled))
            ADD_FAILURE() << include.File << ":" << include.Line << ": includes "
                          << (include.Angled ? "<" : "\"") << include.Target << (include.Angled ? ">" : "\"")
                          << ": " << *fault;
    }
    // The tree was read: every layer's folder held includes.
    EXPECT_EQ(folders, (std::set<std::string>{"app", "assets", "drawing", "input", "network", "platform", "simulation",
                                              "sprites", "ui"}));
}

TEST(LayerOrder, TellsWhatALayerMayInclude)
{
    const struct {
        const char* File;
        const char* Include;
        bool Angled;
        bool Allowed;
    } cases[] = {
        // Downwards, and within a layer.
        {"ui/MainForm.cpp", "simulation/RaceSession.h", false, true},
        {"app/main.cpp", "ui/MainForm.h", false, true},
        {"simulation/RaceSession.cpp", "assets/Assets.h", false, true},
        {"assets/MainImageList.cpp", "drawing/Dib.h", false, true},
        {"input/PadSteering.h", "simulation/RaceSession.h", false, true},
        {"drawing/RotatedRenderer.cpp", "drawing/rotated/Placement.h", false, true},
        // The platform's interfaces from everywhere; the adapters from ui and app only.
        {"drawing/DrawingSurface.h", "platform/PresentWindow.h", false, true},
        {"platform/qt/QtClock.h", "platform/Clock.h", false, true},
        {"platform/sdl/GamePads.cpp", "input/PadSteering.h", false, true},
        {"ui/MainForm.h", "platform/qt/QtClock.h", false, true},
        {"app/main.cpp", "platform/qt/QtApplication.h", false, true},
        {"input/PadSteering.cpp", "platform/sdl/GamePads.h", false, false},
        {"network/NetRace.cpp", "platform/qt/QtClock.h", false, false},
        {"platform/Clock.h", "drawing/Surface.h", false, false},
        {"platform/qt/QtClock.cpp", "platform/sdl/GamePads.h", false, false},
        // Upwards.
        {"drawing/Surface.h", "sprites/Sprite.h", false, false},
        {"simulation/Race.h", "network/NetRace.h", false, false},
        {"network/NetRace.h", "input/PadSteering.h", false, false},
        {"input/PadSteering.h", "ui/MainForm.h", false, false},
        {"ui/MainForm.cpp", "app/OnlineOptions.h", false, false},
        {"drawing/Dib.cpp", "assets/Assets.h", false, false},
        // Qt and SDL stay above input; the standard library is everyone's.
        {"simulation/Race.cpp", "QString", true, false},
        {"input/PadSteering.cpp", "QtGlobal", true, false},
        {"drawing/Jpeg.cpp", "QtGui/QImage", true, false},
        {"input/PadSteering.cpp", "SDL.h", true, false},
        {"network/EnetLink.cpp", "SDL2/SDL.h", true, false},
        {"sprites/Timer.h", "queue", true, true},
        {"ui/MainForm.cpp", "QLabel", true, true},
        {"platform/sdl/GamePads.cpp", "SDL.h", true, true},
        // Tools, benchmarks and tests include anything, and nothing includes them.
        {"tools/replay_race.cpp", "ui/MainForm.h", false, true},
        {"tests/ui/MainForm_test.cpp", "app/OnlineOptions.h", false, true},
        {"ui/MainForm.cpp", "tools/ReplayScript.h", false, false},
        {"simulation/Race.cpp", "tests/simulation/GoldenFiles.h", false, false},
        // Beside the including file.
        {"drawing/rotated/SpanKernels.cpp", "SpanLoops.h", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!IncludeFault(Root, c.File, c.Include, c.Angled).has_value(), c.Allowed)
            << c.File << " includes " << c.Include;
}

} // namespace
