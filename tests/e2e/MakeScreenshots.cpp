// make_screenshots FOLDER: the pictures of the AppStream metadata, from the real program's demo under Xvfb, in
// English: the countdown, the dinghies beating to the mark, and the results.
#include "GameWindow.h"

#include <QDir>

#include <cstdio>
#include <string>

namespace {

// Pure white pixels in a part of the drawing area: the overlay's lettering (the water has none).
int WhiteIn(const QImage& area, const QRect& part)
{
    return CountColor(area.copy(part), 0xFFFFFF);
}

bool Save(TGameWindow& game, const QString& folder, const char* name)
{
    const QString path = folder + "/" + name;
    if (!game.Screenshot().save(path)) {
        std::fprintf(stderr, "make_screenshots: cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_screenshots: cannot make %s\n", argv[1]);
        return 1;
    }
    const TVirtualDisplay display;
    TGameWindow game(display, {"--demo"}, {"LANG=en_US.UTF-8"});
    if (!game.Found()) {
        std::fprintf(stderr, "make_screenshots: the main window did not appear\n");
        return 1;
    }
    const QRect upperMiddle(388, 50, 300, 170);
    const QRect middle(313, 363, 453, 107);
    // The countdown a few seconds in, the dinghies under way to the line.
    SleepMs(6000);
    if (WhiteIn(game.DrawingArea(), upperMiddle) < 300 || !Save(game, folder, "demo-countdown.png"))
        return 1;
    // A while after the signal both dinghies are beating up to the mark.
    if (!WaitFor([&] { return WhiteIn(game.DrawingArea(), upperMiddle) < 20; }, 30000)) {
        std::fprintf(stderr, "make_screenshots: the countdown did not end\n");
        return 1;
    }
    SleepMs(3000);
    if (!Save(game, folder, "demo-race.png"))
        return 1;
    // Three laps take a minute or two, by the wind.
    if (!WaitFor([&] { return WhiteIn(game.DrawingArea(), middle) > 300; }, 240000)) {
        std::fprintf(stderr, "make_screenshots: no results\n");
        return 1;
    }
    SleepMs(500);
    return Save(game, folder, "demo-results.png") ? 0 : 1;
}
