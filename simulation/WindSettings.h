#pragma once
#include <algorithm>
#include <cstdint>

// The wind as the settings dialog shows and sets it, and the limits every way in (the dialog, the messages of an
// online race, the replay scripts) holds it to.
struct TWindSettings {
    // Degrees the wind blows from, clockwise from north.
    static constexpr int32_t MinDirection = 1;
    static constexpr int32_t MaxDirection = 360;
    // The random deviation around the direction, in degrees.
    static constexpr int32_t MinVariation = 0;
    static constexpr int32_t MaxVariation = 45;
    static constexpr int32_t MinSpeed = 1;
    static constexpr int32_t MaxSpeed = 360;

    int32_t Direction = 360;
    int32_t Variation = 5;
    int32_t Speed = 15;

    bool WithinLimits() const
    {
        return Direction >= MinDirection && Direction <= MaxDirection && Variation >= MinVariation &&
               Variation <= MaxVariation && Speed >= MinSpeed && Speed <= MaxSpeed;
    }
    // Each value moved to the nearest one within its limits.
    TWindSettings Limited() const
    {
        return {std::clamp(Direction, MinDirection, MaxDirection), std::clamp(Variation, MinVariation, MaxVariation),
                std::clamp(Speed, MinSpeed, MaxSpeed)};
    }
    friend bool operator==(const TWindSettings&, const TWindSettings&) = default;
};
