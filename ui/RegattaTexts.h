#pragma once
#include "simulation/regatta/RaceEvent.h"
#include "simulation/regatta/Regatta.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The regatta's words in the window: race times, what the status bar says of each event, the results.
class TRegattaTexts {
    Q_DECLARE_TR_FUNCTIONS(TRegattaTexts)

public:
    // Ticks of 1/60 s as minutes, seconds and tenths, "2:31.4"; the tenths are cut, never rounded up.
    static QString RaceTime(int32_t ticks);
    // "Grün" for dinghy 0, "Rot" for 1.
    static QString DinghyName(int32_t dinghy);
    // "Regel 10: Backbordbug hält sich frei" and so on.
    static QString RuleText(TRule rule);
    // The status bar's report of an event in a regatta; empty for one it does not report.
    static QString EventText(const TRaceEvent& event);
    // The results box's lines once the regatta is over: a heading, each dinghy by place with its time, its
    // laps and (under the penalty rules) its penalties, the best lap; "Kein Sieger" when neither finished.
    static QStringList Results(const TRegattaSettings& settings, const std::array<TDinghyRegatta, 2>& dinghies);
};
