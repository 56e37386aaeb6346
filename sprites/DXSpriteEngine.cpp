#include "sprites/DXSpriteEngine.h"

TCustomDXSpriteEngine::TCustomDXSpriteEngine() : FEngine(std::make_unique<TSpriteEngine>()) {}

TCustomDXSpriteEngine::~TCustomDXSpriteEngine()
{
    // The drawing surface must not call back into a component that is gone.
    SetDXDraw(nullptr);
}

void TCustomDXSpriteEngine::SetDXDraw(TCustomDXDraw* value)
{
    RebindListener(FDXDraw, value, this,
                   [this](TCustomDXDraw& sender, TDXDrawNotice notice) { DXDrawNotifyEvent(sender, notice); });
}

void TCustomDXSpriteEngine::MoveAll(int32_t moveCount)
{
    FEngine->MoveAll(moveCount);
}

void TCustomDXSpriteEngine::DrawAll()
{
    if (FDXDraw && FDXDraw->Initialized())
        FEngine->DrawAll();
}

void TCustomDXSpriteEngine::DXDrawNotifyEvent(TCustomDXDraw& sender, TDXDrawNotice notice)
{
    switch (notice) {
    case NoticeInitialized:
        FEngine->SetSurface(sender.Surface());
        break;
    case NoticeFinalized:
        FEngine->SetSurface(nullptr);
        break;
    case NoticeDestroying:
        SetDXDraw(nullptr);
        break;
    default:
        break;
    }
}
