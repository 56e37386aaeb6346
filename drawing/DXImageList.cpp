#include "drawing/ImageList.h"

TCustomDXImageList::TCustomDXImageList() = default;

TCustomDXImageList::~TCustomDXImageList()
{
    SetDXDraw(nullptr);
}

void TCustomDXImageList::SetDXDraw(TCustomDXDraw* value)
{
    // Withdrawing sends the finalisation notices, which release the items' surfaces on the old device.
    RebindListener(FDXDraw, value, this,
                   [this](TCustomDXDraw& sender, TDXDrawNotice notice) { DXDrawNotifyEvent(sender, notice); });
}

void TCustomDXImageList::DXDrawNotifyEvent(TCustomDXDraw& sender, TDXDrawNotice notice)
{
    switch (notice) {
    case NoticeDestroying:
        SetDXDraw(nullptr);
        break;
    case NoticeInitialized:
        FItems.Initialize(sender);
        break;
    case NoticeFinalized:
        FItems.Finalize();
        break;
    case NoticeRestored:
        FItems.Restore();
        break;
    default:
        break;
    }
}
