#include "simulation/CourseMarks.h"

#include "drawing/ImageList.h"
#include "simulation/Race.h"
#include "simulation/Rounding.h"
#include "sprites/SpriteEngine.h"

namespace {

// Draws the sprite's image centred on its position, turned by the wind direction.
void DrawTurnedByWind(const TImageSprite& sprite, int32_t pattern, int32_t windDirection)
{
    TDirectDrawSurface* surface = sprite.Engine() != nullptr ? sprite.Engine()->Surface() : nullptr;
    if (surface == nullptr || sprite.Image == nullptr)
        return;
    const TPictureCollectionItem& image = *sprite.Image;
    image.DrawRotated(*surface, RoundHalfEven(sprite.X), RoundHalfEven(sprite.Y), image.Width(), image.Height(),
                      pattern, 0.5, 0.5, DegreesToAngleUnits(windDirection));
}

} // namespace

void TBoje::Render()
{
    // The two patterns mirror the buoy's line, so the wrapped frame position makes it wiggle.
    DrawTurnedByWind(*this, RoundHalfEven(FramePos), FRace.WindDirection);
}

void TWindrose::Render()
{
    DrawTurnedByWind(*this, 0, FRace.WindDirection);
}
