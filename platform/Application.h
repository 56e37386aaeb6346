#pragma once
#include <functional>

// The application's message loop as the frame timer needs it.
class IApplication {
public:
    // Called by the loop whenever it finds no message waiting. "done" starts true; a handler that sets it
    // false asks the loop to call it again at once instead of waiting for the next message.
    using IdleHandler = std::function<void(bool& done)>;
    // Told true when the application becomes active, false when it becomes inactive.
    using ActivationHook = std::function<void(bool active)>;

    virtual ~IApplication() = default;
    // Only one idle handler is installed at a time; an empty handler removes it.
    virtual void SetIdleHandler(IdleHandler handler) = 0;
    virtual bool Active() const = 0;
    virtual int AddActivationHook(ActivationHook hook) = 0;
    virtual void RemoveActivationHook(int id) = 0;
};
