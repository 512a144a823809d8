// Plays a song's notes into one looping buffer of mono samples: every note and the reverb
// tail that runs past the end comes round again at the start.
#pragma once

#include <vector>

#include "tools/sound/Composer.h"

inline constexpr int kMusicRate = 32000;

std::vector<float> RenderSong(const TSongPlan& plan, int sampleRate = kMusicRate);

// Scales to a peak of `peak` through a gentle saturation that rounds off the loudest hits.
void Master(std::vector<float>& samples, double peak);
