#include "sprites/ImageSprite.h"

#include "drawing/ImageList.h"
#include "sprites/Saturating.h"
#include "sprites/SpriteEngine.h"

#include <algorithm>
#include <cmath>
#include <limits>

void TImageSprite::Advance(int32_t moveCount)
{
    FramePos += moveCount * FrameSpeed;
    if (FrameLooped) {
        if (FrameCount > 0 && std::isfinite(FramePos)) {
            // The whole turns as a 64-bit product; where that product would not fit, the position is so far
            // out that only the exact remainder makes sense.
            const int64_t turns = TruncSaturating<int64_t>(FramePos / FrameCount);
            const int64_t most = std::numeric_limits<int64_t>::max() / FrameCount;
            if (turns <= most && turns >= -most)
                FramePos -= static_cast<double>(turns * FrameCount);
            else
                FramePos = std::fmod(FramePos, FrameCount);
            if (FramePos < 0)
                FramePos += FrameCount;
        } else {
            FramePos = 0;
        }
        return;
    }
    if (!(FrameCount > FramePos)) {
        FramePos = FrameCount - 1.0;
        FrameSpeed = 0;
    }
    if (FramePos < 0) {
        FramePos = 0;
        FrameSpeed = 0;
    }
}

int32_t TImageSprite::CurrentPattern() const
{
    // Wraps like the 32-bit sum it stands for; a bad index draws nothing anyway.
    return static_cast<int32_t>(FrameStart + static_cast<int64_t>(TruncToInt32(FramePos)));
}

TRect TImageSprite::DrawRect() const
{
    TRect r = BoundingRect();
    if (!Image)
        return r;
    const int64_t dx = (static_cast<int64_t>(Width) - Image->Width()) / 2;
    const int64_t dy = (static_cast<int64_t>(Height) - Image->Height()) / 2;
    // A far-off sprite's rectangle already sits at the end of the range: the shift saturates too.
    const auto shifted = [](int32_t edge, int64_t by) { return SaturateToInt32(edge + by); };
    r.Left = shifted(r.Left, dx);
    r.Right = shifted(r.Right, dx);
    r.Top = shifted(r.Top, dy);
    r.Bottom = shifted(r.Bottom, dy);
    return r;
}

void TImageSprite::Render()
{
    if (!Image || !Engine() || !Engine()->Surface())
        return;
    const TRect r = DrawRect();
    Image->DrawPattern(*Engine()->Surface(), r.Left, r.Top, CurrentPattern());
}
