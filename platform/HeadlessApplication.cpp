#include "platform/HeadlessApplication.h"

#include <algorithm>

int THeadlessApplication::AddActivationHook(ActivationHook hook)
{
    const int id = FNextHookId++;
    FHooks.emplace_back(id, std::move(hook));
    return id;
}

void THeadlessApplication::RemoveActivationHook(int id)
{
    std::erase_if(FHooks, [id](const auto& entry) { return entry.first == id; });
}

void THeadlessApplication::SetActive(bool active)
{
    if (active == FActive)
        return;
    FActive = active;
    // A hook may add or remove hooks: those present now are told, unless removed before their turn.
    std::vector<int> ids;
    ids.reserve(FHooks.size());
    for (const auto& entry : FHooks)
        ids.push_back(entry.first);
    for (const int id : ids) {
        const auto it =
            std::find_if(FHooks.begin(), FHooks.end(), [id](const auto& entry) { return entry.first == id; });
        if (it == FHooks.end())
            continue;
        const ActivationHook hook = it->second;
        hook(active);
    }
}

bool THeadlessApplication::RunIdle()
{
    bool done = true;
    if (!FIdleHandler)
        return done;
    // The handler may replace or remove itself while it runs.
    const IdleHandler handler = FIdleHandler;
    handler(done);
    return done;
}
