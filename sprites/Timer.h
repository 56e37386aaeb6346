#pragma once
#include "platform/Application.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>

class TCustomDXTimer;
// Fired once per tick with the lag: whole intervals since the previous tick (milliseconds at Interval 0),
// at least 1.
using TDXTimerEvent = std::function<void(TCustomDXTimer& sender, int32_t lagCount)>;

// The frame timer: ticks from the application's idle processing once Interval milliseconds have passed since
// the previous tick, measures the tick rate, and with ActiveOnly waits while the application is inactive.
class TCustomDXTimer {
public:
    using TNotifyEvent = std::function<void(TCustomDXTimer& sender)>;

    // Both must outlive the timer. A new timer is Enabled but not started: starting waits for Loaded or for
    // Enabled to be switched.
    TCustomDXTimer(IClock& clock, IApplication& application);
    virtual ~TCustomDXTimer();
    TCustomDXTimer(const TCustomDXTimer&) = delete;
    TCustomDXTimer& operator=(const TCustomDXTimer&) = delete;

    bool ActiveOnly() const { return FActiveOnly; }
    // A running timer follows a change at once: it hooks or unhooks idle processing as the new value demands.
    void SetActiveOnly(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // Ticks per second over the last completed window of at least one second.
    int32_t FramesPerSecond() const { return FFramesPerSecond; }
    uint32_t Interval() const { return FInterval; }
    // Read as signed: values of 2^31 and above give Interval 0 and IntervalDivisor 1.
    void SetInterval(uint32_t value);
    uint32_t IntervalDivisor() const { return FIntervalDivisor; }
    bool Started() const { return FStarted; }

    // While loading, writes of Enabled are only stored; Loaded ends loading and starts an enabled timer.
    void BeginLoading() { FLoading = true; }
    void Loaded();

    // General purpose; the timer never touches it.
    int32_t Tag = 0;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TDXTimerEvent OnTimer;

protected:
    virtual void NotifyActivate();
    virtual void NotifyDeactivate();
    virtual void NotifyTick(int32_t lagCount);

private:
    void SwitchOn();
    void SwitchOff();
    void HookIdle();
    void UnhookIdle();
    void IdleTick(bool& done);
    void ActivationHook(bool active);

    IClock& FClock;
    IApplication& FApplication;
    int FHookId = 0;
    bool FActiveOnly = true;
    bool FEnabled = true;
    bool FLoading = false;
    bool FHooked = false;
    int32_t FFramesPerSecond = 0;
    bool FStarted = false;
    uint32_t FInterval = 0;
    uint32_t FIntervalDivisor = 0;
    int32_t FWindowFrames = 0;
    uint32_t FLastTickTime = 0;
    uint32_t FWindowStart = 0;
};

using TDXTimer = TCustomDXTimer;
