#include "sprites/Timer.h"

#include <cmath>

TCustomDXTimer::TCustomDXTimer(IClock& clock, IApplication& application)
    : FClock(clock), FApplication(application)
{
    SetInterval(1000);
    FHookId = FApplication.AddActivationHook([this](bool active) { ActivationHook(active); });
}

TCustomDXTimer::~TCustomDXTimer()
{
    SwitchOff();
    FApplication.RemoveActivationHook(FHookId);
}

void TCustomDXTimer::SetActiveOnly(bool value)
{
    if (value == FActiveOnly)
        return;
    FActiveOnly = value;
    if (!FStarted)
        return;
    const bool wanted = !FActiveOnly || FApplication.Active();
    if (wanted && !FHooked)
        HookIdle();
    else if (!wanted && FHooked)
        UnhookIdle();
}

void TCustomDXTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    if (FLoading)
        return;
    if (FEnabled)
        SwitchOn();
    else
        SwitchOff();
}

void TCustomDXTimer::SetInterval(uint32_t value)
{
    if (value == FInterval)
        return;
    const auto v = static_cast<int32_t>(value);
    FInterval = v > 0 ? value : 0;
    FIntervalDivisor = v > 1 ? value : 1;
}

void TCustomDXTimer::Loaded()
{
    FLoading = false;
    if (FEnabled)
        SwitchOn();
}

void TCustomDXTimer::NotifyActivate()
{
    if (OnActivate)
        OnActivate(*this);
}

void TCustomDXTimer::NotifyDeactivate()
{
    if (OnDeactivate)
        OnDeactivate(*this);
}

void TCustomDXTimer::NotifyTick(int32_t lagCount)
{
    if (OnTimer)
        OnTimer(*this, lagCount);
}

void TCustomDXTimer::SwitchOn()
{
    SwitchOff();
    if (!FActiveOnly || FApplication.Active())
        HookIdle();
    FStarted = true;
}

void TCustomDXTimer::SwitchOff()
{
    if (!FStarted)
        return;
    UnhookIdle();
    FStarted = false;
}

void TCustomDXTimer::HookIdle()
{
    // A new start measures from now, so a pause never shows up as lag.
    FLastTickTime = FClock.Milliseconds();
    FWindowStart = FClock.Milliseconds();
    FApplication.SetIdleHandler([this](bool& done) { IdleTick(done); });
    FHooked = true;
}

void TCustomDXTimer::UnhookIdle()
{
    FApplication.SetIdleHandler({});
    FHooked = false;
}

void TCustomDXTimer::IdleTick(bool& done)
{
    // Ask to be called again at once whether or not this pass ticks.
    done = false;
    const uint32_t now = FClock.Milliseconds();
    const uint32_t elapsed = now - FLastTickTime;
    if (elapsed < FInterval)
        return;
    FLastTickTime = now;
    int32_t lag = static_cast<int32_t>(elapsed / FIntervalDivisor);
    if (lag < 1)
        lag = 1;
    FWindowFrames = static_cast<int32_t>(static_cast<uint32_t>(FWindowFrames) + 1u);
    int32_t span = static_cast<int32_t>(now - FWindowStart);
    if (span < 1)
        span = 1;
    if (span >= 1000) {
        // The product wraps as a 32-bit integer would; the quotient rounds half to even.
        const auto product = static_cast<int32_t>(static_cast<uint32_t>(FWindowFrames) * 1000u);
        FFramesPerSecond = static_cast<int32_t>(std::nearbyint(product / static_cast<double>(span)));
        FWindowFrames = 0;
        FWindowStart = now;
    }
    NotifyTick(lag);
}

void TCustomDXTimer::ActivationHook(bool active)
{
    if (active) {
        NotifyActivate();
        if (FStarted && FActiveOnly)
            HookIdle();
    } else {
        NotifyDeactivate();
        if (FStarted && FActiveOnly)
            UnhookIdle();
    }
}
