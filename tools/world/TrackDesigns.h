// The hand-made tracks: for each heightmap, its size and terrain character, and for each
// course its terrain values, time, music and flight plan. The heightmaps are carved along
// the flight plan so that every course flies through open air.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/Utype.h"

// One leg of a flight plan: a straight line to one ring, or an arc of `radius` turning by
// `turn` degrees (positive to the right) with `rings` rings spread evenly along it.
// `climb` is the height gained over the whole leg.
struct TLeg {
  double length = 0.0;
  double radius = 0.0;
  double turn = 0.0;
  int rings = 1;
  double climb = 0.0;
};
inline TLeg Straight(double length, double climb = 0.0) { return {length, 0.0, 0.0, 1, climb}; }
inline TLeg Arc(double radius, double turn, int rings, double climb = 0.0) {
  return {0.0, radius, turn, rings, climb};
}

// The character of a terrain; heights are fractions of the maximum height.
struct TTerrainRecipe {
  std::uint32_t seed = 1;
  double featureSize = 900.0;  // world units across the broadest hills
  double ridges = 0.0;         // 0 rolling hills .. 1 sharp ridged chains
  double plains = 0.2;         // the lowest share of the range lies flat at 0
  double peakPower = 1.0;      // above 1 sharpens peaks, below 1 widens plateaus
  int terraces = 0;            // steps of mesas; 0 for none
  double rimRise = 0.3;        // mountains raised toward the border
  double stretchX = 1.0;       // above 1 draws ridges out along x
};

struct TTrackDesign {
  std::string name;           // "dunmarrow"
  std::string heightmapPath;  // "track_data/dunmarrow.bmp"
  std::string trackPath;      // empty for a heightmap without a course
  int bitmapWidth = 256;
  int bitmapHeight = 256;
  double accuracy = 0.5;
  double cellSize = 10.0;
  double maxHeight = 110.0;
  int timeAllowed = 60;
  TTerrainRecipe terrain;
  std::vector<TLeg> plan;
};

// Every heightmap the game reads, menu tracks first (in menu order), then the seasons.
const std::vector<TTrackDesign>& TrackDesigns();

// The player's point at the start of every race: the craft at (0, 200, 0), lowered by 5.
inline constexpr T_point kStartPoint{0.0, 195.0, 0.0};

// One point of the intended flight line.
struct TPathPoint {
  T_point position;
  bool ring = false;  // a ring stands here
};

// The flight line from the start point, every `step` units or less, with the rings on it.
std::vector<TPathPoint> FlightLine(const std::vector<TLeg>& plan, double step);
// The ring centres alone, in course order.
T_tab_point RingCentres(const std::vector<TLeg>& plan);

// How many of `pixels` bitmap rows or columns the terrain keeps at this accuracy.
int KeptSamples(int pixels, double accuracy);
// The thinning period; the designs only use accuracies that keep 1 sample in `period`.
int ThinningPeriod(double accuracy);

std::string MusicPathOf(const TTrackDesign& design);
std::string TexturePathOf(const TTrackDesign& design, const std::string& kind);
