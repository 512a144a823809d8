// A pilot that flies player 1 round a course with the player's own keys, through the
// same flight rules and ring test as a race. Used to check that a course can be flown
// in its time: a race runs at about 30 frames a second.
#pragma once

#include "assets/Utype.h"
#include "world/Physics.h"

// Where every one-player race starts: world (0, 200, 0), facing -z.
inline constexpr T_point kRaceStart{0.0, 200.0, 0.0};
// The race's player point is the craft's world position lowered by this.
inline constexpr double kPlayerPointDrop = 5.0;

struct TAutopilotResult {
  int framesUsed = 0;   // frames flown, up to the one that caught the last ring
  int ringsCaught = 0;
  bool finished = false;  // every ring caught within the budget
};

// The race's player point for a craft: its world position lowered by 5.
T_point PlayerPointOf(const TCraftState& craft);

// The keys the pilot holds this frame to fly the craft towards `target` (a ring centre).
TPlayerKeys AutopilotKeys(const TCraftState& craft, T_point target, const t_rain& terrain);

// Flies from the race start until every ring is caught or `frameBudget` frames are used.
TAutopilotResult FlyCourse(const t_rain& terrain, const TRing_tab& rings, int frameBudget);
