// The rules of a ring course, without a display: when the player's point catches the
// current ring, how the caught count grows, and which mesh each ring is drawn with.
#pragma once

#include "assets/Utype.h"

// The ring is caught within 2.7 cells of its centre (27 units with cells of 10).
double PassRadius(double cellSize);
// Strictly nearer than the pass radius; direction of flight and rotation play no part.
bool PassTest(const TRing& ring, T_point player, double cellSize);

enum class TRingMesh { None, Ring, Caught };

// One ring of the frame's pass, in index order: tests ring `index` against the player's
// point when it is the current one (then the caught count and flag advance), and says
// which mesh it is drawn with. A ring caught in this pass is drawn with neither.
TRingMesh StepRing(TRing_tab& rings, int index, int& caughtCount, T_point player, double cellSize);

// One frame's pass over all rings; returns the new caught count.
int UpdateCaught(TRing_tab& rings, int caughtCount, T_point player, double cellSize);

// Clears every caught flag: a course always starts with nothing caught.
void ClearCaught(TRing_tab& rings);
