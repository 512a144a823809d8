// The game's meshes: the ring and the caught ring, the compass arrow and the two craft.
#pragma once

#include "tools/writers/MeshWriter.h"

// Drawn scaled by 0.15 x cell size: a torus of radius 19 whose tube (3.5) keeps it inside
// the course's outer ring box of half-sizes 24 x 24 x 8.
TMeshData RingMesh();
// Thinner and greyed, so that a ring already flown through reads at once as done.
TMeshData CaughtRingMesh();
// A flat arrow about 12 units long pointing towards +z (the HUD turns it round).
TMeshData ArrowMesh();

// The craft's colours: player 1 flies the first, player 2 the second.
struct TCraftPaint {
  TMeshColour hull;
  TMeshColour trim;
  TMeshColour canopy;
  TMeshColour glow;
};
TCraftPaint PlayerOnePaint();
TCraftPaint PlayerTwoPaint();
// A small hover-jet, nose towards -z, about 8 units across its wings, its belly at y = 0.
TMeshData CraftMesh(const TCraftPaint& paint);
