#include "simulation/Quibo.h"

#include "drawing/ImageList.h"
#include "simulation/Race.h"
#include "simulation/Rounding.h"
#include "sprites/SpriteEngine.h"

namespace {

} // namespace

TSailTrim SailTrim(int32_t r, int32_t heading, int32_t windDirection)
{
    if (r < 30 || r >= 330)
        return {2, windDirection + 90};
    if (r < 80)
        return {1, heading + 97};
    if (r < 140)
        return {1, heading + 135};
    if (r < 180)
        return {1, heading + 180};
    if (r < 220)
        return {0, heading};
    if (r < 280)
        return {0, heading + 45};
    return {0, heading + 83};
}

void TQuibo::Advance(int32_t moveCount)
{
    TImageSprite::Advance(moveCount);
    if (Crashed)
        return;

    if (TargetSpeed > Speed) {
        Speed += 0.05;
        if (Speed > TargetSpeed)
            Speed = TargetSpeed;
    } else if (TargetSpeed < Speed) {
        Speed -= 0.05;
        if (Speed < TargetSpeed)
            Speed = TargetSpeed;
    }

    const TSinTable& sin = FRace.SinTable;
    const int32_t h = FoldDegrees(Heading);
    X = X + Speed * sin[h];
    Y = Y - Speed * sin[h + 90];
    if (Sail != nullptr) {
        Sail->X = X + 48 * sin[h] + 3;
        Sail->Y = Y - 48 * sin[h + 90];
    }
}

void TQuibo::Render()
{
    if (Crashed) {
        TImageSprite::Render();
        return;
    }
    TDirectDrawSurface* surface = Engine() != nullptr ? Engine()->Surface() : nullptr;
    if (surface == nullptr || Image == nullptr)
        return;

    const TSailTrim trim = SailTrim(FRace.RelativeWindAngle(Heading), Heading, FRace.WindDirection);
    Image->DrawRotated(*surface, RoundHalfEven(X), RoundHalfEven(Y), Image->Width(), Image->Height(), Tiller, 0.5,
                       1.0, DegreesToAngleUnits(Heading));
    if (Sail != nullptr && Sail->Image != nullptr) {
        const TPictureCollectionItem& sail = *Sail->Image;
        sail.DrawRotated(*surface, RoundHalfEven(Sail->X), RoundHalfEven(Sail->Y), sail.Width(), sail.Height(),
                         trim.Pattern, 0.0, 0.0, DegreesToAngleUnits(trim.AngleDegrees));
    }
}

void StartExplosion(TQuibo& dinghy, TRace& race)
{
    TPictureCollectionItem& explode = race.Image("Explode");
    dinghy.Image = &explode;
    dinghy.Width = 28;
    dinghy.Height = explode.Height();
    dinghy.FrameCount = 5;
    dinghy.FrameLooped = false;
    dinghy.FrameSpeed = 0.3;
    dinghy.FramePos = 0;
    dinghy.FrameStart = 0;
    dinghy.Crashed = true;
}
