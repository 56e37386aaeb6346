#include "simulation/RaceSession.h"

#include "assets/Assets.h"
#include "simulation/FormComponents.h"
#include "simulation/Quibo.h"
#include "simulation/RaceCommands.h"
#include "simulation/Random.h"
#include "simulation/helm/HelmView.h"

TRaceSession::TRaceSession(IClock& clock, IApplication& application, IPresentWindow& window, bool debug)
    : SeedClock(clock),
      DXDraw1(window),
      DXTimer1(clock, application),
      Race({DXDraw1, DXSpriteEngine1, DXTimer1, DXImageList1, SeedClock}, debug)
{
    LoadFormComponents(Race, LoadMainImageList);
    Race.FormCreate();
    Race.TickObserver = this;
}

TRaceSession::~TRaceSession()
{
    Finalize();
}

void TRaceSession::Show()
{
    DXDraw1.FormShown();
}

void TRaceSession::WindowResized()
{
    DXDraw1.BoundsChanged();
}

void TRaceSession::Finalize()
{
    DXDraw1.FormDestroyed();
}

void TRaceSession::SetTiller(TPlayer player, TTiller tiller)
{
    Race.Dinghies[static_cast<size_t>(player)]->Tiller = static_cast<int32_t>(tiller);
}

void TRaceSession::SetHelm(TPlayer player, std::optional<int32_t> skill)
{
    std::optional<TComputerHelm>& helm = Race.Helms[static_cast<size_t>(player)];
    if (skill)
        helm.emplace(*skill, player, RandSeed);
    else
        helm.reset();
}

void TRaceSession::TickDone()
{
    if (FHelmCommands == nullptr || (!Race.Helms[0] && !Race.Helms[1]))
        return;
    const THelmView view = HelmViewOf(Race);
    for (size_t i = 0; i < Race.Helms.size(); ++i)
        if (Race.Helms[i])
            FHelmCommands->SetTiller(static_cast<TPlayer>(i), Race.Helms[i]->Decide(view));
}

void TRaceSession::Restart()
{
    if (Race.Regatta)
        Race.StartRegatta(Race.Regatta->Settings());
    else
        Race.SpeedButtonStartClick();
}

void TRaceSession::StartRegatta(const TRegattaSettings& settings)
{
    Race.StartRegatta(settings);
}

void TRaceSession::LeaveRegatta()
{
    Race.LeaveRegatta();
}

void TRaceSession::Pause()
{
    DXTimer1.SetEnabled(false);
}

void TRaceSession::Resume()
{
    DXTimer1.SetEnabled(true);
}

TWindSettings TRaceSession::WindSettings() const
{
    return {Race.WindBase, Race.WindVariation, Race.WindSpeed};
}

void TRaceSession::ApplyWindSettings(const TWindSettings& settings)
{
    Race.WindBase = settings.Direction;
    Race.WindDirection = settings.Direction;
    Race.WindTarget = settings.Direction;
    Race.WindVariation = settings.Variation;
    Race.WindSpeed = settings.Speed;
}

uint32_t TRaceSession::PixelAt(int32_t x, int32_t y)
{
    TDirectDrawSurface* surface = BackBuffer();
    return surface != nullptr ? surface->ReadPixel(x, y) : 0;
}
