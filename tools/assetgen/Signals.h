#pragma once
#include "platform/SoundPlayer.h"

#include <cstdint>
#include <vector>

// The race's signals at SoundRate, computed in integers only, so every machine makes the same samples:
//   Countdown  a short 1 kHz beep (0.12 s);
//   Start      a horn of five harmonics on 220 Hz (0.7 s);
//   Early      two quick beeps at 1.32 kHz (0.24 s);
//   Rounding   a bell struck at 784 Hz, its inharmonic partials dying away, the high ones first (0.6 s);
//   Penalty    a referee's whistle, 2.9 kHz trilled 28 times a second, with breath (0.45 s);
//   Finish     two horn blasts on 262 Hz, short and long (0.68 s);
//   Explosion  noise through a low-pass that closes as it dies away, over a 50 Hz thump (0.7 s).
// Each is scaled so its loudest sample stands at a fixed share of full scale, below it.
std::vector<int16_t> SynthesiseSound(TSound sound);
