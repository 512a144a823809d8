// The random course over a terrain: ring count, placement with terrain clearance and
// spacing, orientation along the course, and each ring's 16 bounding points. Draws its
// numbers from a random source handed in, or from wnd::Random after seeding with
// wnd::Randomize.
#pragma once

#include <functional>

#include "assets/Utype.h"

// Numbers in [0, 1), one a call.
using TRandomSource = std::function<double()>;

inline constexpr int kRequestedRings = 10;
// Ring box constants in ring-local units.
inline constexpr int kRingBaseHalfSize = 16;
inline constexpr int kRingPlacementFactor = 24;
inline constexpr int kRingHalfSizeStep = 8;
inline constexpr int kRingBaseHalfDepth = 4;
inline constexpr int kRingHalfDepthStep = 4;

// Rounds to the nearest integer, halves to even; values beyond int are clamped, NaN is 0.
int RoundToInt(double value);

// Least distance between two generated rings: 7.2 cells.
double MinRingSpacing(double cellSize);
// Scale of a generated ring's mesh.
double GeneratedRingScale(double cellSize);
// World width and depth of the terrain, rounded to whole units.
int WorldWidth(const t_rain& terrain);
int WorldDepth(const t_rain& terrain);

// The requested count, lowered on a small terrain so the rings can keep their spacing.
int GeneratedRingCount(const t_rain& terrain, int requested = kRequestedRings);

// A grid-aligned point (x along columns, z along rows, y the height) in world coordinates.
T_point GridToWorld(T_point grid, const t_rain& terrain);

// Whether a ring of outer half-size `a` at grid-aligned `c` clears the samples along the
// diagonal of its square; samples outside the grid count as height 0.
bool ClearsTerrain(T_point c, const t_rain& terrain, double a);
// Terrain clearance, and farther than the spacing from every ring already placed.
bool IsAcceptablePlacement(T_point c, const TRing_tab& placed, const t_rain& terrain);

// Turns every ring to face along the course. A lone ring keeps rotation 0 (facing -z).
void OrientRings(TRing_tab& rings);
// The 16 bounding points: corners of the outer and inner boxes, turned and placed.
void BuildRingPoints(TRing& ring);

// The whole generated course. A terrain on which no placement can be found within a
// bounded number of tries gets fewer rings instead of searching forever.
TRing_tab GenerateCourse(const t_rain& terrain, int requested = kRequestedRings);
// The same with the numbers drawn from `random` (a race without the platform, a test).
TRing_tab GenerateCourse(const t_rain& terrain, int requested, const TRandomSource& random);
