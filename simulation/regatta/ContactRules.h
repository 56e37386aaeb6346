#pragma once
#include "simulation/regatta/Course.h"
#include "simulation/regatta/DinghyView.h"
#include "simulation/regatta/RaceEvent.h"

#include <array>

// Who broke a rule when the dinghies touched, and which rule.
struct TContactVerdict {
    std::array<bool, 2> Penalised{};
    TRule Rule = TRule::None;
};

// Judges the first tick of a contact between the two dinghies (0 green, 1 red). upwind is the unit vector
// towards where the wind comes from. Both tacking: both (rule 13); one tacking: that one (13); opposite
// tacks: the one on port tack (10); same tack and overlapped: the windward one (11); same tack and one clear
// astern of the other: that one (12).
TContactVerdict JudgeContact(const std::array<TDinghyView, 2>& dinghies, TPointD upwind);

// Whether a is clear astern of b: every point of a's hull lies behind the line abeam through b's stern.
bool ClearAstern(const TDinghyView& a, const TDinghyView& b);
