#include "sprites/Sprite.h"

#include "drawing/Errors.h"
#include "sprites/Saturating.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpriteError.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

int32_t TruncToInt32(double value)
{
    return TruncSaturating<int32_t>(value);
}

TSprite::TSprite(TSprite* parent) : FParent(parent)
{
    if (!parent)
        return;
    parent->Add(this);
    auto* engine = dynamic_cast<TSpriteEngine*>(parent);
    FEngine = engine ? engine : parent->FEngine;
}

TSprite::~TSprite()
{
    // Children go last first; each one takes itself out of our lists.
    while (!FChildren.empty())
        delete FChildren.back();
    if (FParent)
        FParent->Remove(this);
}

void TSprite::Advance(int32_t) {}

void TSprite::Add(TSprite* child)
{
    FChildren.push_back(child);
    // Halving search for the first entry whose Z is not below the newcomer's, so a newcomer lands in front of
    // its equals and is drawn underneath them.
    int32_t lo = 0;
    int32_t hi = static_cast<int32_t>(FDrawList.size()) - 1;
    while (hi >= lo) {
        const int32_t mid = (lo + hi) / 2;
        if (static_cast<int64_t>(FDrawList[static_cast<size_t>(mid)]->Z) - child->Z < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    FDrawList.insert(FDrawList.begin() + lo, child);
}

void TSprite::Remove(TSprite* child)
{
    FChildren.erase(std::find(FChildren.begin(), FChildren.end(), child));
    FDrawList.erase(std::find(FDrawList.begin(), FDrawList.end(), child));
    if (FChildren.empty()) {
        FChildren.shrink_to_fit();
        FDrawList.shrink_to_fit();
    }
}

void TSprite::MoveAll(int32_t moveCount)
{
    if (!Moving)
        return;
    Advance(moveCount);
    // The count is taken once; the bound on the live size only keeps a child that frees a sibling from
    // sending the loop past the end.
    const size_t n = FChildren.size();
    for (size_t i = 0; i < n && i < FChildren.size(); ++i)
        FChildren[i]->MoveAll(moveCount);
}

void TSprite::DrawAll()
{
    if (!Visible)
        return;
    if (FEngine) {
        // Only a strict overlap counts: touching an edge is not enough, and an empty rectangle covers nothing.
        const TRect r = BoundingRect();
        const TRect& s = FEngine->SurfaceRect();
        if (!r.Empty() && s.Left < r.Right && s.Right > r.Left && s.Top < r.Bottom && s.Bottom > r.Top)
            Render();
    }
    const size_t n = FDrawList.size();
    for (size_t i = 0; i < n && i < FDrawList.size(); ++i)
        FDrawList[i]->DrawAll();
}

double TSprite::AbsoluteX() const
{
    return FParent ? FParent->AbsoluteX() + X : X;
}

double TSprite::AbsoluteY() const
{
    return FParent ? FParent->AbsoluteY() + Y : Y;
}

TRect TSprite::BoundingRect() const
{
    TRect r;
    r.Left = TruncToInt32(AbsoluteX());
    r.Top = TruncToInt32(AbsoluteY());
    // Far-off sprites saturate at the end of the range instead of overflowing.
    r.Right = TruncToInt32(static_cast<double>(r.Left) + Width);
    r.Bottom = TruncToInt32(static_cast<double>(r.Top) + Height);
    return r;
}

TSprite* TSprite::Items(int32_t index) const
{
    if (FChildren.empty())
        throw ESpriteError(FormatMessage("Index of the list exceeds the range. (%d)", index));
    if (index < 0 || index >= Count())
        throw std::out_of_range(FormatMessage("List index out of bounds (%d)", index));
    return FChildren[static_cast<size_t>(index)];
}
