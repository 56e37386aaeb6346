#pragma once
#include <cstdint>

// Lets a driver hold a tick back until it has what the tick needs (an online race waits for the other
// player's tillers), and act once the tick is done. Asked only for ticks the frame step processes in full:
// the rate governor and the late ticks it drops stay each machine's own.
class ITickGate {
public:
    virtual ~ITickGate() = default;
    // Before processed tick number tick (1, 2, ...): false holds it back; it is asked again on the next tick.
    virtual bool BeforeTick(int64_t tick) = 0;
    // After the tick's frame was drawn and its contacts tested.
    virtual void AfterTick(int64_t tick) = 0;
};
