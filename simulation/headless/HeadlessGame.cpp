#include "simulation/headless/HeadlessGame.h"

#include "assets/Assets.h"
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
    // The main window's form: components first, then its creation handler, then the first showing.
    DXDraw1.BeginLoading();
    DXDraw1.SetOptions({doAllowReboot, doWaitVBlank, doCenter, doFlip, doDirectX7Mode, doHardware, doSelectDriver});
    DXDraw1.SetSurfaceWidth(1076);
    DXDraw1.SetSurfaceHeight(750);
    DXDraw1.OnInitialize = [this](TCustomDXDraw&) { DXTimer1.SetEnabled(true); };
    DXDraw1.OnFinalize = [this](TCustomDXDraw&) { DXTimer1.SetEnabled(false); };
    DXSpriteEngine1.SetDXDraw(&DXDraw1);
    DXTimer1.BeginLoading();
    DXTimer1.SetEnabled(false);
    DXTimer1.SetInterval(0);
    DXTimer1.OnTimer = [this](TCustomDXTimer&, int32_t lag) { FRace.DXTimer1Timer(lag); };
    LoadMainImageList(DXImageList1.Items());
    DXImageList1.SetDXDraw(&DXDraw1);
    DXDraw1.Loaded();
    DXTimer1.Loaded();

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
