#include "simulation/regatta/ContactRules.h"

#include "simulation/regatta/Tack.h"

namespace {

double Dot(TPointD a, TPointD b)
{
    return a.X * b.X + a.Y * b.Y;
}

TPointD Minus(TPointD a, TPointD b)
{
    return {a.X - b.X, a.Y - b.Y};
}

TContactVerdict Verdict(bool green, bool red, TRule rule)
{
    return {{green, red}, rule};
}

} // namespace

bool ClearAstern(const TDinghyView& a, const TDinghyView& b)
{
    // Only the sign of the projection matters, so b's heading need not be a unit vector.
    const TPointD forward = Minus(b.Bow, b.Stern);
    return Dot(Minus(a.Stern, b.Stern), forward) < 0 && Dot(Minus(a.Bow, b.Stern), forward) < 0;
}

TContactVerdict JudgeContact(const std::array<TDinghyView, 2>& dinghies, TPointD upwind)
{
    const TTack green = TackOf(dinghies[0].RelativeWind);
    const TTack red = TackOf(dinghies[1].RelativeWind);
    if (green == TTack::Tacking || red == TTack::Tacking)
        return Verdict(green == TTack::Tacking, red == TTack::Tacking, TRule::Tacking);
    if (green != red)
        return Verdict(green == TTack::Port, red == TTack::Port, TRule::PortStarboard);

    const bool greenAstern = ClearAstern(dinghies[0], dinghies[1]);
    const bool redAstern = ClearAstern(dinghies[1], dinghies[0]);
    if (greenAstern != redAstern)
        return Verdict(greenAstern, redAstern, TRule::ClearAstern);

    // Overlapped: the one further upwind keeps clear; level to the pixel, neither kept clear.
    const double greenUp = Dot(dinghies[0].Middle(), upwind);
    const double redUp = Dot(dinghies[1].Middle(), upwind);
    return Verdict(greenUp >= redUp, redUp >= greenUp, TRule::Windward);
}
