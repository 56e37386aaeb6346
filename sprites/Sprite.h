#pragma once
#include "drawing/Rect.h"

#include <cstdint>
#include <vector>

class TSpriteEngine;

// A node of the sprite tree. A sprite owns its children; deleting one frees its subtree and takes it out of
// its parent. Subclasses give it behaviour through Advance and Render.
class TSprite {
public:
    // Inserts the new sprite into parent (when given), which then owns it.
    explicit TSprite(TSprite* parent);
    virtual ~TSprite();
    TSprite(const TSprite&) = delete;
    TSprite& operator=(const TSprite&) = delete;

    // Draws the sprite itself; the base draws nothing.
    virtual void Render() {}
    // Advances the sprite's own state by moveCount units; the base does nothing.
    virtual void Advance(int32_t moveCount);
    // The sprite's rectangle on the surface, its corner truncated toward zero.
    virtual TRect BoundingRect() const;

    // Advances this sprite, then its children in creation order; a sprite that is not Moving freezes its subtree.
    void MoveAll(int32_t moveCount);
    // Renders this sprite when it overlaps the surface, then its children in drawing order; a sprite that is not
    // Visible hides its subtree.
    void DrawAll();

    double AbsoluteX() const;
    double AbsoluteY() const;

    TSpriteEngine* Engine() const { return FEngine; }
    TSprite* Parent() const { return FParent; }
    int32_t Count() const { return static_cast<int32_t>(FChildren.size()); }
    // Raises ESpriteError when there are no children, std::out_of_range for any other bad index.
    TSprite* Items(int32_t index) const;
    // The children in insertion order, and the same ordered by Z ascending (newest first among equals).
    const std::vector<TSprite*>& Children() const { return FChildren; }
    const std::vector<TSprite*>& DrawList() const { return FDrawList; }

    bool Moving = true;
    bool Visible = true;
    double X = 0;
    double Y = 0;
    // Read when the sprite is inserted; changing it later does not reorder the drawing.
    int32_t Z = 0;
    int32_t Width = 0;
    int32_t Height = 0;

private:
    void Add(TSprite* child);
    void Remove(TSprite* child);

    TSpriteEngine* FEngine = nullptr;
    TSprite* FParent = nullptr;
    std::vector<TSprite*> FChildren;
    std::vector<TSprite*> FDrawList;
};

// Creates a sprite of type T owned by parent.
template <class T>
T* NewSprite(TSprite* parent)
{
    return new T(parent);
}

// Truncates toward zero into the 32-bit range; out-of-range values saturate and NaN gives 0.
int32_t TruncToInt32(double value);
