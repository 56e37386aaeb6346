#include "simulation/helm/HelmView.h"

#include "drawing/ImageList.h"
#include "simulation/Quibo.h"
#include "simulation/Race.h"

THelmView HelmViewOf(const TRace& race)
{
    THelmView view;
    for (size_t i = 0; i < view.Dinghies.size(); ++i) {
        view.Dinghies[i] = ViewOf(*race.Dinghies[i], race);
        view.Speeds[i] = race.Dinghies[i]->Speed;
    }
    view.Course = race.Course();
    view.WindDirection = race.WindDirection;
    view.WindSpeed = race.WindSpeed;
    for (const TQuibo* dinghy : race.Dinghies)
        if (!dinghy->Crashed && dinghy->Image != nullptr)
            view.Beam = dinghy->Image->Width();
    view.Regatta = race.Regatta ? &*race.Regatta : nullptr;
    view.Sin = &race.SinTable;
    return view;
}
