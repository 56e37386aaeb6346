#pragma once
#include "sprites/Sprite.h"

#include <cstdint>

class TPictureCollectionItem;

// A sprite drawn from the patterns of an image item, with frame animation.
class TImageSprite : public TSprite {
public:
    using TSprite::TSprite;

    void Advance(int32_t moveCount) override;
    // Draws the current pattern centred in the sprite's rectangle; draws nothing without an image or a surface.
    void Render() override;

    int32_t CurrentPattern() const;
    // The bounding rectangle shifted so the image's pattern sits centred in it (the odd pixel to the right).
    TRect DrawRect() const;

    int32_t FrameCount = 0;
    bool FrameLooped = false;
    double FramePos = 0;
    double FrameSpeed = 0;
    int32_t FrameStart = 0;
    // Not owned.
    TPictureCollectionItem* Image = nullptr;
};
