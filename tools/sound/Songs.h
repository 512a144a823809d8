// The music of the game: the default piece and one piece for each track and season, each
// with its own key, tempo and mood.
#pragma once

#include <vector>

#include "tools/sound/Composer.h"

// Background01 first, then the menu tracks, then the seasons from summer to final.
const std::vector<TSongPlan>& SongPlans();
