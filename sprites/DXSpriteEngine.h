#pragma once
#include "drawing/DrawingSurface.h"
#include "sprites/SpriteEngine.h"

#include <cstdint>
#include <memory>

// The sprite-engine component: owns an engine and keeps its surface bound to a drawing-surface component's
// back buffer, from that component's initialisation to its finalisation.
class TCustomDXSpriteEngine {
public:
    TCustomDXSpriteEngine();
    ~TCustomDXSpriteEngine();
    TCustomDXSpriteEngine(const TCustomDXSpriteEngine&) = delete;
    TCustomDXSpriteEngine& operator=(const TCustomDXSpriteEngine&) = delete;

    TCustomDXDraw* DXDraw() const { return FDXDraw; }
    // Moves the listener registration from the old component (not owned) to the new one.
    void SetDXDraw(TCustomDXDraw* value);
    TSpriteEngine& Engine() { return *FEngine; }

    // Advances the tree also while the drawing surface is not ready.
    void MoveAll(int32_t moveCount);
    // Draws the tree only while the drawing surface is initialised.
    void DrawAll();

private:
    void DXDrawNotifyEvent(TCustomDXDraw& sender, TDXDrawNotice notice);

    TCustomDXDraw* FDXDraw = nullptr;
    std::unique_ptr<TSpriteEngine> FEngine;
};

using TDXSpriteEngine = TCustomDXSpriteEngine;
