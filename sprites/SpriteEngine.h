#pragma once
#include "drawing/Rect.h"
#include "sprites/Sprite.h"

class TDirectDrawSurface;

// The root of a sprite tree, bound to the surface its sprites draw on.
class TSpriteEngine : public TSprite {
public:
    TSpriteEngine() : TSprite(nullptr) {}

    TDirectDrawSurface* Surface() const { return FSurface; }
    // The surface's client rectangle as it was when attached; sprites outside it are not rendered.
    const TRect& SurfaceRect() const { return FSurfaceRect; }
    // Attaches s (not owned); detaching (nullptr) keeps the last rectangle.
    void SetSurface(TDirectDrawSurface* s);

private:
    TDirectDrawSurface* FSurface = nullptr;
    TRect FSurfaceRect;
};
