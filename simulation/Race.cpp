#include "simulation/Race.h"

#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Rounding.h"
#include "sprites/DXSpriteEngine.h"

#include <cstdlib>
#include <string>

TRace::TRace(const TRaceComponents& components, bool debug) : Components(components), FDebug(debug) {}

TPictureCollectionItem& TRace::Image(const std::string& name) const
{
    return Components.DXImageList1.Items().FindByName(name);
}

TDirectDrawSurface* TRace::Surface() const
{
    return Components.DXDraw1.Surface();
}

int32_t TRace::RelativeWindAngle(int32_t heading) const
{
    const int32_t d = std::abs(WindDirection - heading);
    return heading > WindDirection ? 360 - d : d;
}

void TRace::FormCreate()
{
    FillSinTable(SinTable);
    WindDirection = 360;
    WindBase = 360;
    WindVariation = 5;
    WindTarget = 360;
    WindSpeed = 15;
    RateTicks = 0;
    LagTicks = 0;

    TSpriteEngine& engine = Components.DXSpriteEngine1.Engine();
    for (auto& dinghy : Dinghies) {
        dinghy = new TQuibo(&engine, *this);
        dinghy->Sail = new TSegel(&engine);
    }

    SpeedButtonStartClick();

    const double surfaceWidth = Components.DXDraw1.SurfaceWidth();
    TPictureCollectionItem& rose = Image("Windrose");
    WindRose = new TWindrose(&engine, *this);
    WindRose->Image = &rose;
    WindRose->X = surfaceWidth - 2 * rose.Width();
    WindRose->Y = 2 * rose.Height();
    WindRose->Width = rose.Width();
    WindRose->Height = rose.Height();

    TPictureCollectionItem& buoy = Image("Boje");
    const TPictureCollectionItem& green = Image("B0");
    const TPictureCollectionItem& red = Image("B1");
    for (size_t b = 0; b < Buoys.size(); ++b) {
        TBoje* boje = new TBoje(&engine, *this);
        Buoys[b] = boje;
        boje->Image = &buoy;
        if (b == 0) {
            boje->X = Dinghies[0]->X + 3 * green.Width();
            boje->Y = Dinghies[0]->Y - 1.5 * green.Height();
        } else if (b == 1) {
            boje->X = Dinghies[1]->X - 3 * red.Width();
            boje->Y = Dinghies[1]->Y - 1.5 * red.Height();
        } else {
            boje->X = Buoys[0]->X;
            boje->Y = 2 * green.Height();
        }
        const int32_t w = buoy.Width();
        const int32_t h = buoy.Height();
        boje->Width = w;
        boje->Height = h;
        boje->FrameCount = 1;
        boje->FrameLooped = true;
        boje->FrameSpeed = 1.9;
        boje->FrameStart = 0;
        boje->HitRect.Left = RoundHalfEven(boje->X - w / 2.0);
        boje->HitRect.Top = RoundHalfEven(boje->Y - h / 2.0);
        boje->HitRect.Right = boje->HitRect.Left + w;
        boje->HitRect.Bottom = boje->HitRect.Top + h;
    }
}

void TRace::SpeedButtonStartClick()
{
    const double surfaceWidth = Components.DXDraw1.SurfaceWidth();
    const double surfaceHeight = Components.DXDraw1.SurfaceHeight();
    TPictureCollectionItem& sail = Image("Segel");
    for (size_t i = 0; i < Dinghies.size(); ++i) {
        TQuibo& dinghy = *Dinghies[i];
        TPictureCollectionItem& hull = Image("B" + std::to_string(i));
        dinghy.Image = &hull;
        dinghy.Sail->Image = &sail;
        const double offset = 3.0 * hull.Width();
        dinghy.X = i == 0 ? surfaceWidth / 2 + offset : surfaceWidth / 2 - offset;
        dinghy.Y = surfaceHeight - 1.5 * hull.Height();
        dinghy.Width = hull.Width();
        dinghy.Height = hull.Height();
        dinghy.Heading = 360;
        dinghy.Crashed = false;
        dinghy.Speed = -0.1;
        dinghy.TargetSpeed = -0.1;
        dinghy.Tiller = 1;
        dinghy.Sail->Width = sail.Width();
        dinghy.Sail->Height = sail.Height();
    }
}

void TRace::StartRegatta(const TRegattaSettings& settings)
{
    SpeedButtonStartClick();
    Regatta.emplace(settings, Course());
}

void TRace::LeaveRegatta()
{
    if (!Regatta)
        return;
    Regatta.reset();
    SpeedButtonStartClick();
}

TCourse TRace::Course() const
{
    return {{Buoys[1]->X, Buoys[1]->Y}, {Buoys[0]->X, Buoys[0]->Y}, {Buoys[2]->X, Buoys[2]->Y}};
}
