#pragma once
#include "drawing/Rect.h"
#include "sprites/ImageSprite.h"

class TRace;

// A buoy, drawn centred on (X, Y) and turned by the wind so its line trails downwind.
class TBoje : public TImageSprite {
public:
    TBoje(TSprite* parent, TRace& race) : TImageSprite(parent), FRace(race) {}
    void Render() override;

    // Fixed at creation; what the dinghies are tested against.
    TRect HitRect;

private:
    TRace& FRace;
};

// The wind rose: an arrow centred on (X, Y) pointing where the wind blows to.
class TWindrose : public TImageSprite {
public:
    TWindrose(TSprite* parent, TRace& race) : TImageSprite(parent), FRace(race) {}
    void Render() override;

private:
    TRace& FRace;
};
