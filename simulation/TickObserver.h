#pragma once

// Told after every tick the frame step processes in full, once the referee has seen it: where whoever steers
// by what the race shows (a computer helm) looks and acts.
class ITickObserver {
public:
    virtual ~ITickObserver() = default;
    virtual void TickDone() = 0;
};
