#pragma once
#include <cstdint>

// The signals a race sounds.
enum class TSound : uint8_t { Countdown, Start, Early, Rounding, Penalty, Finish, Explosion };
constexpr int SoundCount = 7;

// Plays the race's signals. Play returns at once and never waits for a sound to end; sounds overlap. Muted,
// nothing is heard: what sounds stops, and what is played meanwhile is dropped.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void Play(TSound sound) = 0;
    virtual void SetMuted(bool muted) = 0;
    virtual bool Muted() const = 0;
};

// Plays nothing, and remembers whether it was muted: for tests, tools and machines without sound.
class TSilentSoundPlayer : public ISoundPlayer {
public:
    void Play(TSound) override {}
    void SetMuted(bool muted) override { FMuted = muted; }
    bool Muted() const override { return FMuted; }

private:
    bool FMuted = false;
};
