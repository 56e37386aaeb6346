#include "input/PadSteering.h"

#include <algorithm>

namespace {

enum : uint32_t {
    DpadLeft = 1u << 0,
    DpadRight = 1u << 1,
    LeftShoulder = 1u << 2,
    RightShoulder = 1u << 3,
    StickLeft = 1u << 4,
    StickRight = 1u << 5,
};
constexpr uint32_t ToPort = DpadLeft | LeftShoulder | StickLeft;
constexpr uint32_t ToStarboard = DpadRight | RightShoulder | StickRight;

uint32_t BitOf(TPadButton button)
{
    switch (button) {
    case TPadButton::DpadLeft:
        return DpadLeft;
    case TPadButton::DpadRight:
        return DpadRight;
    case TPadButton::LeftShoulder:
        return LeftShoulder;
    case TPadButton::RightShoulder:
        return RightShoulder;
    default:
        return 0;
    }
}

TPlayer PlayerAt(size_t seat)
{
    return seat == 0 ? TPlayer::Green : TPlayer::Red;
}

} // namespace

TPadSteering::TPadSteering(IPadActions& actions) : FActions(actions) {}

TPadSteering::TPad* TPadSteering::Find(int32_t pad)
{
    const auto found = std::find_if(FPads.begin(), FPads.end(), [pad](const TPad& p) { return p.Id == pad; });
    return found == FPads.end() ? nullptr : &*found;
}

std::optional<TPlayer> TPadSteering::PlayerOf(int32_t pad) const
{
    for (size_t seat = 0; seat < FSeats.size(); ++seat)
        if (FSeats[seat] == pad)
            return PlayerAt(seat);
    return std::nullopt;
}

void TPadSteering::Seat(TPlayer player, const TPad& pad)
{
    FSeats[static_cast<size_t>(player)] = pad.Id;
    FActions.PadTaken(player);
}

void TPadSteering::Connected(int32_t pad)
{
    if (Find(pad) != nullptr)
        return;
    FPads.push_back({pad});
    for (size_t seat = 0; seat < FSeats.size(); ++seat)
        if (!FSeats[seat]) {
            Seat(PlayerAt(seat), FPads.back());
            return;
        }
}

void TPadSteering::Disconnected(int32_t pad)
{
    TPad* gone = Find(pad);
    if (gone == nullptr)
        return;
    // A tiller held over by a pad that is gone would never come back.
    Hold(*gone, 0);
    const std::optional<TPlayer> player = PlayerOf(pad);
    FPads.erase(FPads.begin() + (gone - FPads.data()));
    if (!player)
        return;
    FSeats[static_cast<size_t>(*player)].reset();
    FActions.PadDropped(*player);
    for (const TPad& waiting : FPads)
        if (!PlayerOf(waiting.Id)) {
            Seat(*player, waiting);
            return;
        }
}

void TPadSteering::Button(int32_t pad, TPadButton button, bool down)
{
    TPad* p = Find(pad);
    if (p == nullptr)
        return;
    if (const uint32_t bit = BitOf(button); bit != 0) {
        Hold(*p, down ? p->Held | bit : p->Held & ~bit);
        return;
    }
    if (!down || !PlayerOf(pad))
        return;
    if (button == TPadButton::Start)
        PauseOrResume(FActions.Commands());
    else if (button == TPadButton::Back)
        FActions.Commands().Restart();
}

void TPadSteering::StickX(int32_t pad, int32_t value)
{
    TPad* p = Find(pad);
    if (p == nullptr)
        return;
    uint32_t held = p->Held & ~(StickLeft | StickRight);
    if (value <= -DeadZone)
        held |= StickLeft;
    else if (value >= DeadZone)
        held |= StickRight;
    Hold(*p, held);
}

void TPadSteering::Hold(TPad& pad, uint32_t held)
{
    const bool wasPort = (pad.Held & ToPort) != 0;
    const bool wasStarboard = (pad.Held & ToStarboard) != 0;
    const bool port = (held & ToPort) != 0;
    const bool starboard = (held & ToStarboard) != 0;
    pad.Held = held;
    const std::optional<TPlayer> player = PlayerOf(pad.Id);
    if (!player)
        return;
    // As with the keys: letting go of either side brings the tiller amidships, the side newly held puts it over.
    if ((wasPort && !port) || (wasStarboard && !starboard))
        FActions.Commands().SetTiller(*player, TTiller::Amidships);
    if (port && !wasPort)
        FActions.Commands().SetTiller(*player, TTiller::Port);
    if (starboard && !wasStarboard)
        FActions.Commands().SetTiller(*player, TTiller::Starboard);
}
