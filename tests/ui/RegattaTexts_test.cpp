#include "ui/RegattaTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RegattaTexts, RaceTimesAreMinutesSecondsAndCutTenths)
{
    const struct {
        int32_t Ticks;
        const char* Text;
    } cases[] = {
        {0, "0:00.0"},     {5, "0:00.0"},      {6, "0:00.1"},       {59, "0:00.9"},     {60, "0:01.0"},
        {599, "0:09.9"},   {3599, "0:59.9"},   {3600, "1:00.0"},    {9086, "2:31.4"},   {36000, "10:00.0"},
        {-30, "0:00.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRegattaTexts::RaceTime(c.Ticks).toStdString(), c.Text) << c.Ticks;
}

TEST(RegattaTexts, EveryEventOfARegattaIsReportedInWords)
{
    const auto event = [](TRaceEvent::TKind kind, int8_t dinghy, int32_t value = 0, int32_t ticks = 0,
                          TRule rule = TRule::None) { return TRaceEvent{kind, dinghy, rule, value, ticks, 0}; };
    const struct {
        TRaceEvent Event;
        const char* Text;
    } cases[] = {
        {event(TRaceEvent::Countdown, -1, 10), "Start in 10 s"},
        {event(TRaceEvent::Start, -1), "Start!"},
        {event(TRaceEvent::Early, 0), "Grün ist zu früh gestartet"},
        {event(TRaceEvent::Started, 1), "Rot ist gestartet"},
        {event(TRaceEvent::Rounded, 1, 2), "Rot: Tonne gerundet (Runde 2)"},
        {event(TRaceEvent::Lap, 0, 1, 3012), "Grün: Runde 1 in 0:50.2"},
        {event(TRaceEvent::Penalty, 0, 2, 0, TRule::PortStarboard),
         "Grün: Strafe 2 Drehungen – Regel 10: Backbordbug hält sich frei"},
        {event(TRaceEvent::Penalty, 1, 2, 0, TRule::Windward), "Rot: Strafe 2 Drehungen – Regel 11: Luv hält sich frei"},
        {event(TRaceEvent::Penalty, 1, 2, 0, TRule::ClearAstern),
         "Rot: Strafe 2 Drehungen – Regel 12: klar Achteraus hält sich frei"},
        {event(TRaceEvent::Penalty, 0, 2, 0, TRule::Tacking),
         "Grün: Strafe 2 Drehungen – Regel 13: wer wendet, hält sich frei"},
        {event(TRaceEvent::Penalty, 0, 1, 0, TRule::Mark), "Grün: Strafe 1 Drehung – Regel 31: Tonne berührt"},
        {event(TRaceEvent::Cleared, 0), "Grün hat die Strafe abgesegelt"},
        {event(TRaceEvent::Out, 1), "Rot ist ausgeschieden"},
        {event(TRaceEvent::Finished, 0, 1, 9086), "Grün im Ziel: Platz 1, 2:31.4"},
        {event(TRaceEvent::Over, -1), "Regatta beendet: Neustart (F3) segelt sie noch einmal, F5 wählt eine neue"},
        // Free sailing's explosion is seen on the water; the regatta says "ausgeschieden" for it.
        {event(TRaceEvent::Exploded, 0), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRegattaTexts::EventText(c.Event).toStdString(), c.Text) << static_cast<int>(c.Event.Kind);
}

TDinghyRegatta Finished(int32_t place, int32_t finishTicks, std::initializer_list<int32_t> laps, int32_t penalties = 0)
{
    TDinghyRegatta dinghy;
    dinghy.Standing = TStanding::Finished;
    dinghy.Place = place;
    dinghy.FinishTicks = finishTicks;
    for (const int32_t ticks : laps)
        dinghy.LapTicks[static_cast<size_t>(dinghy.LapsDone++)] = ticks;
    dinghy.Penalties = penalties;
    return dinghy;
}

TDinghyRegatta Out(std::initializer_list<int32_t> laps)
{
    TDinghyRegatta dinghy = Finished(0, 0, laps);
    dinghy.Standing = TStanding::Out;
    return dinghy;
}

std::string Joined(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n')).toStdString();
}

TEST(RegattaTexts, ResultsListPlacesTimesLapsPenaltiesAndTheBestLap)
{
    const TRegattaSettings penalties{3, TRegattaRules::Penalties};
    const TRegattaSettings classic{2, TRegattaRules::Classic};
    const struct {
        const char* What;
        TRegattaSettings Settings;
        std::array<TDinghyRegatta, 2> Dinghies;
        const char* Lines;
    } cases[] = {
        {"red wins, green's second lap the best", penalties,
         {Finished(2, 9100, {3100, 2950, 3050}, 1), Finished(1, 9086, {3012, 3030, 3044})},
         "Ergebnis – Runden: 3, Strafdrehungen\n"
         "1. Rot: 2:31.4\n    Runden: 0:50.2  0:50.5  0:50.7\n    Strafen: 0\n"
         "2. Grün: 2:31.6\n    Runden: 0:51.6  0:49.1  0:50.8\n    Strafen: 1\n"
         "Beste Runde: Grün, Runde 2, 0:49.1"},
        {"green finished, red out after a lap, classic rules without penalties", classic,
         {Finished(1, 6200, {3000, 3200}), Out({2990})},
         "Ergebnis – Runden: 2, Klassisch (Explosion)\n"
         "1. Grün: 1:43.3\n    Runden: 0:50.0  0:53.3\n"
         "Rot: ausgeschieden\n    Runden: 0:49.8\n"
         "Beste Runde: Rot, Runde 1, 0:49.8"},
        {"both out before a lap", classic, {Out({}), Out({})},
         "Ergebnis – Runden: 2, Klassisch (Explosion)\nKein Sieger\nGrün: ausgeschieden\nRot: ausgeschieden"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Joined(TRegattaTexts::Results(c.Settings, c.Dinghies)), c.Lines) << c.What;
}

} // namespace
