#include "simulation/RaceSounds.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// The sounds asked for, in order.
class TRecordingSoundPlayer : public ISoundPlayer {
public:
    void Play(TSound sound) override { Played.push_back(sound); }
    void SetMuted(bool muted) override { FMuted = muted; }
    bool Muted() const override { return FMuted; }
    std::vector<TSound> Played;

private:
    bool FMuted = false;
};

TRaceEvent Event(TRaceEvent::TKind kind, int8_t dinghy = -1, int32_t value = 0)
{
    return {kind, dinghy, kind == TRaceEvent::Penalty ? TRule::PortStarboard : TRule::None, value, 0, 0};
}

TEST(RaceSounds, EachMomentOfTheRaceHasItsSignalAndWhatFollowsFromOneHasNone)
{
    using E = TRaceEvent;
    const struct {
        E::TKind Kind;
        std::optional<TSound> Sound;
    } cases[] = {
        {E::Countdown, TSound::Countdown}, {E::Start, TSound::Start},       {E::Early, TSound::Early},
        {E::Started, std::nullopt},        {E::Rounded, TSound::Rounding},  {E::Lap, std::nullopt},
        {E::Penalty, TSound::Penalty},     {E::Cleared, std::nullopt},      {E::Out, std::nullopt},
        {E::Finished, TSound::Finish},     {E::Over, std::nullopt},         {E::Exploded, TSound::Explosion},
    };
    ASSERT_EQ(std::size(cases), static_cast<size_t>(E::Exploded) + 1) << "every kind of event is in the table";
    for (const auto& c : cases) {
        EXPECT_EQ(SoundOf(Event(c.Kind, 0, 1)), c.Sound) << "kind " << int{c.Kind};
        // Neither the dinghy nor the value changes the signal.
        EXPECT_EQ(SoundOf(Event(c.Kind, 1, 3)), c.Sound) << "kind " << int{c.Kind};
    }
}

TEST(RaceSounds, ARegattaSoundsItsMomentsInTheOrderTheyCame)
{
    using E = TRaceEvent;
    const std::vector<TRaceEvent> events{
        Event(E::Countdown, -1, 15), Event(E::Countdown, -1, 10), Event(E::Countdown, -1, 1), Event(E::Start),
        Event(E::Early, 1),          Event(E::Started, 0),        Event(E::Started, 1),       Event(E::Penalty, 1, 1),
        Event(E::Rounded, 0, 1),     Event(E::Cleared, 1),        Event(E::Lap, 0, 1),        Event(E::Finished, 0, 1),
        Event(E::Exploded, 1),       Event(E::Out, 1),            Event(E::Over),
    };
    TRecordingSoundPlayer player;
    for (const TRaceEvent& event : events)
        PlayRaceSound(player, event);
    EXPECT_EQ(player.Played, (std::vector<TSound>{TSound::Countdown, TSound::Countdown, TSound::Countdown,
                                                  TSound::Start, TSound::Early, TSound::Penalty, TSound::Rounding,
                                                  TSound::Finish, TSound::Explosion}));
}

} // namespace
