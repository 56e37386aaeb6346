#include "input/KeyTable.h"

#include "platform/VirtualKeyCodes.h"

namespace {

struct TSteeringKey {
    int Key;
    TPlayer Player;
    TTiller Tiller;
};

constexpr TSteeringKey SteeringKeys[] = {
    {VK_LEFT, TPlayer::Green, TTiller::Port},
    {VK_RIGHT, TPlayer::Green, TTiller::Starboard},
    {VK_Y, TPlayer::Red, TTiller::Port},
    {VK_X, TPlayer::Red, TTiller::Starboard},
};

const TSteeringKey* SteeringKey(int key)
{
    for (const TSteeringKey& k : SteeringKeys)
        if (k.Key == key)
            return &k;
    return nullptr;
}

} // namespace

TKeyAction KeyDownAction(int virtualKey)
{
    switch (virtualKey) {
    case VK_ESCAPE:
        return {TKeyAction::Quit};
    case VK_F3:
        return {TKeyAction::Restart};
    case VK_PAUSE:
        return {TKeyAction::PauseOrResume};
    case VK_M:
        return {TKeyAction::ToggleSound};
    default:
        break;
    }
    if (const TSteeringKey* k = SteeringKey(virtualKey))
        return {TKeyAction::Steer, k->Player, k->Tiller};
    return {};
}

TKeyAction KeyUpAction(int virtualKey)
{
    if (const TSteeringKey* k = SteeringKey(virtualKey))
        return {TKeyAction::Steer, k->Player, TTiller::Amidships};
    return {};
}
