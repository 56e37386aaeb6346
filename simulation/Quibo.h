#pragma once
#include "sprites/ImageSprite.h"

#include <cstdint>

class TRace;

// A dinghy's sail: holds the sail image and its place at the mast; the dinghy draws it.
class TSegel : public TImageSprite {
public:
    using TImageSprite::TImageSprite;
    void Render() override {}
};

// A dinghy: X, Y are the middle of its stern. It moves along its heading at a speed that approaches the target
// speed, carries its sail to the mast, and draws hull and sail for the point of sail.
class TQuibo : public TImageSprite {
public:
    TQuibo(TSprite* parent, TRace& race) : TImageSprite(parent), FRace(race) {}
    void Advance(int32_t moveCount) override;
    void Render() override;

    bool Crashed = false;
    int32_t Heading = 360;
    // 0 tiller to port (turns clockwise), 1 amidships, 2 to starboard; also the hull pattern shown.
    int32_t Tiller = 1;
    double Speed = -0.1;
    double TargetSpeed = -0.1;
    TSegel* Sail = nullptr;

private:
    TRace& FRace;
};

// The sail pattern and its angle in degrees for a relative wind angle 0..359.
struct TSailTrim {
    int32_t Pattern;
    int32_t AngleDegrees;
};
TSailTrim SailTrim(int32_t relativeWindAngle, int32_t heading, int32_t windDirection);

// Switches the dinghy into its explosion; it stays wrecked until the next restart.
void StartExplosion(TQuibo& dinghy, TRace& race);
