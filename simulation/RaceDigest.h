#pragma once
#include <cstdint>

class TDirectDrawSurface;
class TRace;

// 64-bit digests of a race, to tell whether two runs are still the same tick by tick: a replay against its
// recording, or two machines racing each other.

// What both players see of the race: positions, headings, tillers, speeds and explosions of the dinghies and
// sails, the buoys, the wind and its step counter, the random seed and the processed ticks, the regatta's
// state while one runs and each computer helm's while it steers. Nothing that paces
// one machine's frames (the timer's interval and rate, dropped ticks) is in it.
uint64_t RaceStateDigest(const TRace& race);

// How the frames of this machine were paced: the timer's interval, rate and switch, the governor's and the
// late ticks' counters.
uint64_t RacePaceDigest(const TRace& race);

// Every pixel of the surface, row by row; 0 for a surface that cannot be read.
uint64_t FrameDigest(TDirectDrawSurface& surface);
