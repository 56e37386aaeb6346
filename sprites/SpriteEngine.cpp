#include "sprites/SpriteEngine.h"

#include "drawing/Surface.h"

void TSpriteEngine::SetSurface(TDirectDrawSurface* s)
{
    FSurface = s;
    if (s)
        FSurfaceRect = s->ClientRect();
}
