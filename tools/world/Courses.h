// The courses: rings along each design's flight plan, turned to face along it, with
// their bounding points, the terrain values and the time allowed, in the game's track
// format; and the check that the course can be flown, by the same autopilot and flight
// rules as a race, well within its time.
#pragma once

#include <string>

#include "modes/TrackFile.h"
#include "tools/world/Heightmaps.h"

// A ring's mesh is drawn at 0.15 x cell size, as the random courses draw theirs.
double RingScale(double cellSize);

// The track as the file holds it (the samples come later, from the heightmap).
TTrackData BuildTrackData(const TTrackDesign& design);

// The terrain record of a course, its samples read from the heightmap's bitmap bytes
// exactly as the game reads them.
t_rain TerrainOf(const TTrackData& track, const THeightmap& map);

struct TCourseCheck {
  bool ok = false;
  std::string problem;  // why not
  int framesAllowed = 0;
  int framesFlown = 0;  // by the autopilot, up to the last ring
  double lowestClearance = 0.0;  // least height of a ring's rim over the ground beneath it
};

// The share of its time the autopilot may use: a player has to be able to do worse.
inline constexpr double kAutopilotShare = 0.75;

// Rings inside the grid's inner cells, clear of the terrain, and the whole course flown
// by the autopilot at 30 frames a second within kAutopilotShare of the time allowed.
TCourseCheck CheckCourse(const TTrackData& track, const t_rain& terrain);
