#include "simulation/FormComponents.h"

#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "simulation/FrameSize.h"
#include "simulation/Race.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/Timer.h"

void LoadFormComponents(TRace& race, const std::function<void(TPictureCollection&)>& loadPictures)
{
    TCustomDXDraw& dxdraw = race.Components.DXDraw1;
    TCustomDXTimer& timer = race.Components.DXTimer1;
    TCustomDXImageList& images = race.Components.DXImageList1;

    dxdraw.BeginLoading();
    dxdraw.SetOptions({doAllowReboot, doWaitVBlank, doCenter, doFlip, doDirectX7Mode, doHardware, doSelectDriver});
    dxdraw.SetSurfaceWidth(FrameWidth);
    dxdraw.SetSurfaceHeight(FrameHeight);
    dxdraw.OnInitialize = [&timer](TCustomDXDraw&) { timer.SetEnabled(true); };
    dxdraw.OnFinalize = [&timer](TCustomDXDraw&) { timer.SetEnabled(false); };
    race.Components.DXSpriteEngine1.SetDXDraw(&dxdraw);
    timer.BeginLoading();
    timer.SetEnabled(false);
    timer.SetInterval(0);
    timer.SetActiveOnly(true);
    timer.OnTimer = [&race](TCustomDXTimer&, int32_t lagCount) { race.DXTimer1Timer(lagCount); };
    loadPictures(images.Items());
    images.SetDXDraw(&dxdraw);
    dxdraw.Loaded();
    timer.Loaded();
}
