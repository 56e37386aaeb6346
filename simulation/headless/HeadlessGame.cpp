#include "simulation/headless/HeadlessGame.h"

#include "assets/Assets.h"
#include "simulation/FormComponents.h"
#include "simulation/Quibo.h"

TVerticalBlankWindow::TVerticalBlankWindow(int32_t width, int32_t height, TManualClock& clock)
    : THeadlessWindow(width, height), FClock(clock)
{
}

void TVerticalBlankWindow::Elapse(uint32_t milliseconds)
{
    FMicroseconds += int64_t{milliseconds} * 1000;
    FClock.Advance(milliseconds);
}

void TVerticalBlankWindow::WaitForVerticalBlank()
{
    THeadlessWindow::WaitForVerticalBlank();
    constexpr int64_t period = 1000000 / 60;
    const int64_t next = (FMicroseconds / period + 1) * period;
    const auto before = FMicroseconds / 1000;
    FMicroseconds = next;
    FClock.Advance(static_cast<uint32_t>(FMicroseconds / 1000 - before));
}

THeadlessGame::THeadlessGame(bool debug, uint32_t timeOfDay)
    : Clock(0, timeOfDay),
      Window(1076, 750, Clock),
      DXDraw1(Window),
      DXTimer1(Clock, Application),
      FRace({DXDraw1, DXSpriteEngine1, DXTimer1, DXImageList1, Clock}, debug)
{
    // As the main window starts: its form's components, then its creation handler, then the first showing.
    LoadFormComponents(FRace, LoadMainImageList);
    FRace.FormCreate();
    DXDraw1.FormShown();
}

THeadlessGame::~THeadlessGame()
{
    DXDraw1.FormDestroyed();
}

bool THeadlessGame::Tick()
{
    const int64_t before = FRace.ProcessedTicks();
    // A generous bound: with the timer on, a tick is due within Interval (at most 15 ms) plus the late ones.
    for (int pass = 0; pass < 1000; ++pass) {
        Application.RunIdle();
        if (FRace.ProcessedTicks() != before)
            return true;
        Window.Elapse(1);
    }
    return false;
}

void THeadlessGame::SetTillers(int32_t green, int32_t red)
{
    FRace.Dinghies[0]->Tiller = green;
    FRace.Dinghies[1]->Tiller = red;
}
