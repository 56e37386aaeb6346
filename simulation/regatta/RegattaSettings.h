#pragma once
#include <cstdint>

// How contact is judged in a regatta: as in free sailing (a dinghy that touches explodes and is out), or by
// the racing rules, where the one that broke a rule owes penalty turns.
enum class TRegattaRules : uint8_t { Classic = 0, Penalties = 1 };

// What the regatta dialog chooses, and what travels to the other machine of an online race.
struct TRegattaSettings {
    static constexpr int32_t MinLaps = 1;
    static constexpr int32_t MaxLaps = 9;

    int32_t Laps = 3;
    TRegattaRules Rules = TRegattaRules::Penalties;

    bool WithinLimits() const
    {
        return Laps >= MinLaps && Laps <= MaxLaps &&
               (Rules == TRegattaRules::Classic || Rules == TRegattaRules::Penalties);
    }
    // The settings with the laps brought within the limits and unknown rules read as penalty turns.
    TRegattaSettings Limited() const
    {
        TRegattaSettings limited = *this;
        limited.Laps = Laps < MinLaps ? MinLaps : Laps > MaxLaps ? MaxLaps : Laps;
        if (Rules != TRegattaRules::Classic)
            limited.Rules = TRegattaRules::Penalties;
        return limited;
    }
    friend bool operator==(const TRegattaSettings&, const TRegattaSettings&) = default;
};
