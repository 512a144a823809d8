#include "world/Course.h"

#include "assets/Lgeometry.h"

double PassRadius(double cellSize) { return 18.0 * cellSize * 0.15; }

bool PassTest(const TRing& ring, T_point player, double cellSize) {
  return Distance(player, ring.origin) < PassRadius(cellSize);
}

TRingMesh StepRing(TRing_tab& rings, int index, int& caughtCount, T_point player, double cellSize) {
  TRing& ring = rings[static_cast<std::size_t>(index)];
  if (ring.caught && index <= caughtCount) return TRingMesh::Caught;
  if (index == caughtCount && PassTest(ring, player, cellSize)) {
    ++caughtCount;
    ring.caught = true;
  }
  return index == caughtCount ? TRingMesh::Ring : TRingMesh::None;
}

int UpdateCaught(TRing_tab& rings, int caughtCount, T_point player, double cellSize) {
  for (int i = 0; i < static_cast<int>(rings.size()); ++i) {
    StepRing(rings, i, caughtCount, player, cellSize);
  }
  return caughtCount;
}

void ClearCaught(TRing_tab& rings) {
  for (TRing& ring : rings) ring.caught = false;
}
