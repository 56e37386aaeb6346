#pragma once
#include "simulation/RaceCommands.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Where the pads' actions go: the race commands, as the players' keys' do (a pad steers, pauses, resumes and
// restarts, and never quits), and who is told which dinghy a pad took.
class IPadActions {
public:
    virtual ~IPadActions() = default;
    virtual IRaceCommands& Commands() = 0;
    // A pad now steers the player's dinghy, or the pad that did was unplugged.
    virtual void PadTaken(TPlayer player) = 0;
    virtual void PadDropped(TPlayer player) = 0;
};

// The pad controls the game reads, by their place on a common pad.
enum class TPadButton { DpadLeft, DpadRight, LeftShoulder, RightShoulder, Start, Back, Other };

// Turns what the pads do into the game's actions. Pads are known by an id that stays the same while they are
// plugged in. The first pad steers the green dinghy, the second the red one; a pad unplugged leaves its dinghy
// to the next pad waiting, or to the keyboard alone. Steering works like the keys: a control to port or to
// starboard held puts the tiller over, letting go of either brings it amidships.
class TPadSteering {
public:
    // The stick steers beyond 40% of its travel.
    static constexpr int32_t DeadZone = 13107;

    // The actions must outlive the steering.
    explicit TPadSteering(IPadActions& actions);

    void Connected(int32_t pad);
    void Disconnected(int32_t pad);
    void Button(int32_t pad, TPadButton button, bool down);
    // The left stick's sideways position, -32768 (full left) to 32767.
    void StickX(int32_t pad, int32_t value);

    // The player whose dinghy the pad steers; none for an unknown or waiting pad.
    std::optional<TPlayer> PlayerOf(int32_t pad) const;

private:
    struct TPad {
        int32_t Id;
        // The controls to port and to starboard that are held, one bit each.
        uint32_t Held = 0;
    };
    TPad* Find(int32_t pad);
    // The pad's held controls become held; the seated pad's tiller follows.
    void Hold(TPad& pad, uint32_t held);
    void Seat(TPlayer player, const TPad& pad);

    IPadActions& FActions;
    // In the order they were plugged in.
    std::vector<TPad> FPads;
    // Which pad steers the green and which the red dinghy.
    std::array<std::optional<int32_t>, 2> FSeats{};
};
