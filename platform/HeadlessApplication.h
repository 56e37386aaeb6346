#pragma once
#include "platform/Application.h"

#include <utility>
#include <vector>

// An application without a window system: whoever drives it runs the idle passes and switches the active
// state by hand.
class THeadlessApplication : public IApplication {
public:
    explicit THeadlessApplication(bool active = true) : FActive(active) {}

    void SetIdleHandler(IdleHandler handler) override { FIdleHandler = std::move(handler); }
    bool Active() const override { return FActive; }
    int AddActivationHook(ActivationHook hook) override;
    void RemoveActivationHook(int id) override;

    // Changes the state and then tells every hook, in the order they were added; writing the current state
    // tells nobody.
    void SetActive(bool active);
    // One idle pass: calls the handler, if any, with "done" starting true, and returns the flag as it left.
    bool RunIdle();
    bool HasIdleHandler() const { return static_cast<bool>(FIdleHandler); }
    size_t ActivationHookCount() const { return FHooks.size(); }

private:
    bool FActive;
    IdleHandler FIdleHandler;
    std::vector<std::pair<int, ActivationHook>> FHooks;
    int FNextHookId = 1;
};
