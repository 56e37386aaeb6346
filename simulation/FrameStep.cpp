#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "simulation/Collision.h"
#include "simulation/CourseMarks.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"
#include "simulation/Random.h"
#include "simulation/TickGate.h"
#include "simulation/TickObserver.h"
#include "simulation/Wind.h"
#include "simulation/regatta/DinghyView.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/Timer.h"

#include <algorithm>

void TRace::DXTimer1Timer(int32_t lagCount)
{
    GovernRate();

    // Of a run of late ticks only every third is drawn, so a slow machine catches up.
    if (lagCount > 1) {
        ++LagTicks;
        if (LagTicks < 3)
            return;
    }
    if (TickGate != nullptr && !TickGate->BeforeTick(FProcessedTicks + 1))
        return;
    LagTicks = 0;
    RunTick(true);
    if (TickGate != nullptr)
        TickGate->AfterTick(FProcessedTicks);
}

void TRace::RunTick(bool present)
{
    ++FProcessedTicks;

    TDirectDrawSurface* surface = Surface();
    TPictureCollection& images = Components.DXImageList1.Items();
    if (surface != nullptr && images.Count() > 0)
        images.Items(0).DrawPattern(*surface, 0, 0, 0);

    // Taken before steering and moving; the contact tests below use them on the frame drawn after the move.
    const TRect hullRects[2] = {HullRect(*Dinghies[0], SinTable), HullRect(*Dinghies[1], SinTable)};
    if (FDebug && surface != nullptr) {
        for (const TRect& r : hullRects)
            DrawOutline(*surface, r);
        for (const TBoje* buoy : Buoys)
            DrawOutline(*surface, buoy->HitRect);
    }

    StepWind();
    for (TQuibo* dinghy : Dinghies)
        Steer(*dinghy);

    Components.DXSpriteEngine1.MoveAll(1);
    Components.DXSpriteEngine1.DrawAll();
    if (present)
        Components.DXDraw1.Present();

    const bool wasCrashed[2] = {Dinghies[0]->Crashed, Dinghies[1]->Crashed};
    const bool explode = !Regatta || Regatta->Settings().Rules == TRegattaRules::Classic;
    const TContacts contacts = TestContacts(*this, hullRects, explode);
    for (size_t d = 0; d < Dinghies.size(); ++d) {
        if (Dinghies[d]->Crashed && !wasCrashed[d])
            Events.Add({TRaceEvent::Exploded, static_cast<int8_t>(d), TRule::None, 0, 0, FProcessedTicks});
    }
    if (Regatta)
        Regatta->Tick({{ViewOf(*Dinghies[0], *this), ViewOf(*Dinghies[1], *this)},
                       Upwind(*this),
                       contacts.Dinghies,
                       contacts.Buoy},
                      FProcessedTicks, Events);
    if (TickObserver != nullptr)
        TickObserver->TickDone();
}

void TRace::GovernRate()
{
    ++RateTicks;
    if (RateTicks <= 30)
        return;
    RateTicks = 0;
    TCustomDXTimer& timer = Components.DXTimer1;
    const int64_t interval = timer.Interval();
    if (timer.FramesPerSecond() > 61)
        timer.SetInterval(static_cast<uint32_t>(std::min<int64_t>(interval + 1, 15)));
    else if (timer.FramesPerSecond() < 59)
        timer.SetInterval(static_cast<uint32_t>(std::max<int64_t>(interval - 1, 0)));
}

void TRace::StepWind()
{
    TCustomDXTimer& timer = Components.DXTimer1;
    ++timer.Tag;
    if (timer.Tag <= WindStepDelay(WindSpeed))
        return;
    timer.Tag = 0;
    if (WindTarget == WindDirection) {
        Randomize(Components.Clock);
        WindTarget = DrawWindTarget(WindBase, WindVariation);
    } else {
        WindDirection = TurnWindOneDegree(WindDirection, WindTarget);
    }
}

void TRace::Steer(TQuibo& dinghy)
{
    dinghy.Heading = SteerHeading(dinghy.Heading, dinghy.Tiller, TurningStep(WindSpeed));
    dinghy.TargetSpeed = TargetSpeedFor(WindSpeed, RelativeWindAngle(dinghy.Heading));
}
