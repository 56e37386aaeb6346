#include "ui/RegattaTexts.h"

#include <algorithm>

QString TRegattaTexts::RaceTime(int32_t ticks)
{
    const int32_t tenths = std::max(0, ticks) / 6;
    return QStringLiteral("%1:%2.%3")
        .arg(tenths / 600)
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

QString TRegattaTexts::DinghyName(int32_t dinghy)
{
    return dinghy == 0 ? tr("Grün") : tr("Rot");
}

QString TRegattaTexts::RuleText(TRule rule)
{
    switch (rule) {
    case TRule::PortStarboard:
        return tr("Regel 10: Backbordbug hält sich frei");
    case TRule::Windward:
        return tr("Regel 11: Luv hält sich frei");
    case TRule::ClearAstern:
        return tr("Regel 12: klar Achteraus hält sich frei");
    case TRule::Tacking:
        return tr("Regel 13: wer wendet, hält sich frei");
    case TRule::Mark:
        return tr("Regel 31: Tonne berührt");
    case TRule::None:
        break;
    }
    return {};
}

QString TRegattaTexts::EventText(const TRaceEvent& event)
{
    const QString name = DinghyName(event.Dinghy);
    switch (event.Kind) {
    case TRaceEvent::Countdown:
        return tr("Start in %1 s").arg(event.Value);
    case TRaceEvent::Start:
        return tr("Start!");
    case TRaceEvent::Early:
        return tr("%1 ist zu früh gestartet").arg(name);
    case TRaceEvent::Started:
        return tr("%1 ist gestartet").arg(name);
    case TRaceEvent::Rounded:
        return tr("%1: Tonne gerundet (Runde %2)").arg(name).arg(event.Value);
    case TRaceEvent::Lap:
        return tr("%1: Runde %2 in %3").arg(name).arg(event.Value).arg(RaceTime(event.Ticks));
    case TRaceEvent::Penalty:
        return (event.Value == 1 ? tr("%1: Strafe 1 Drehung – %2").arg(name, RuleText(event.Rule))
                                 : tr("%1: Strafe %2 Drehungen – %3").arg(name).arg(event.Value).arg(
                                       RuleText(event.Rule)));
    case TRaceEvent::Cleared:
        return tr("%1 hat die Strafe abgesegelt").arg(name);
    case TRaceEvent::Out:
        return tr("%1 ist ausgeschieden").arg(name);
    case TRaceEvent::Finished:
        return tr("%1 im Ziel: Platz %2, %3").arg(name).arg(event.Value).arg(RaceTime(event.Ticks));
    case TRaceEvent::Over:
        return tr("Regatta beendet: Neustart (F3) segelt sie noch einmal, F5 wählt eine neue");
    case TRaceEvent::Exploded:
        break;
    }
    return {};
}

QStringList TRegattaTexts::Results(const TRegattaSettings& settings, const std::array<TDinghyRegatta, 2>& dinghies)
{
    const bool penalties = settings.Rules == TRegattaRules::Penalties;
    QStringList lines{tr("Ergebnis – Runden: %1, %2")
                          .arg(settings.Laps)
                          .arg(penalties ? tr("Strafdrehungen") : tr("Klassisch (Explosion)"))};
    // Finishers by place, then the others.
    std::array<int32_t, 2> order{0, 1};
    const auto rank = [&dinghies](int32_t d) {
        return dinghies[static_cast<size_t>(d)].Standing == TStanding::Finished ? dinghies[static_cast<size_t>(d)].Place
                                                                                 : 3;
    };
    if (rank(1) < rank(0))
        std::swap(order[0], order[1]);
    if (rank(0) == 3 && rank(1) == 3)
        lines << tr("Kein Sieger");
    int32_t bestDinghy = -1;
    int32_t bestLap = 0;
    for (const int32_t d : order) {
        const TDinghyRegatta& dinghy = dinghies[static_cast<size_t>(d)];
        if (dinghy.Standing == TStanding::Finished)
            lines << tr("%1. %2: %3").arg(dinghy.Place).arg(DinghyName(d), RaceTime(dinghy.FinishTicks));
        else
            lines << tr("%1: ausgeschieden").arg(DinghyName(d));
        QStringList laps;
        for (int32_t lap = 0; lap < std::min(dinghy.LapsDone, TRegattaSettings::MaxLaps); ++lap) {
            const int32_t ticks = dinghy.LapTicks[static_cast<size_t>(lap)];
            laps << RaceTime(ticks);
            if (bestDinghy < 0 || ticks < dinghies[static_cast<size_t>(bestDinghy)].LapTicks[static_cast<size_t>(bestLap)]) {
                bestDinghy = d;
                bestLap = lap;
            }
        }
        if (!laps.isEmpty())
            lines << QStringLiteral("    ") + tr("Runden: %1").arg(laps.join(QStringLiteral("  ")));
        if (penalties)
            lines << QStringLiteral("    ") + tr("Strafen: %1").arg(dinghy.Penalties);
    }
    if (bestDinghy >= 0)
        lines << tr("Beste Runde: %1, Runde %2, %3")
                     .arg(DinghyName(bestDinghy))
                     .arg(bestLap + 1)
                     .arg(RaceTime(dinghies[static_cast<size_t>(bestDinghy)].LapTicks[static_cast<size_t>(bestLap)]));
    return lines;
}
