#include "simulation/headless/HeadlessGame.h"

#include "simulation/FrameSize.h"

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
    : Clock(0, timeOfDay), Window(FrameWidth, FrameHeight, Clock), Session(Clock, Application, Window, debug)
{
    Session.SetHelmCommands(&Commands);
    Session.Show();
}

bool THeadlessGame::Idle()
{
    const int64_t before = Session.Race.ProcessedTicks();
    Application.RunIdle();
    const bool ticked = Session.Race.ProcessedTicks() != before;
    if (!ticked)
        Window.Elapse(1);
    return ticked;
}

bool THeadlessGame::Tick()
{
    // A generous bound: with the timer on, a tick is due within Interval (at most 15 ms) plus the late ones.
    for (int pass = 0; pass < 1000; ++pass)
        if (Idle())
            return true;
    return false;
}

void THeadlessGame::SetTillers(TTiller green, TTiller red)
{
    if (!Session.ComputerSteers(TPlayer::Green))
        Commands.SetTiller(TPlayer::Green, green);
    if (!Session.ComputerSteers(TPlayer::Red))
        Commands.SetTiller(TPlayer::Red, red);
}
