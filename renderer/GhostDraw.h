// The ghost of a course's best run: the craft's mesh drawn see-through where that run's
// craft stood. It is drawn after the opaque scene, blended at a fixed strength whatever the
// mesh's own colours say, and writes no depth: the terrain and rings show through it, and
// it hides nothing drawn after it.
#pragma once

#include "assets/Utype.h"

class TObj;

// How much of the ghost shows over what lies behind it.
inline constexpr double kGhostOpacity = 0.4;

// As DrawCraftAsSeenByItsPlayer (a craft at its player's eye, moved by `eyeOffset` and
// scaled by `scale` as that player's own craft is on screen), see-through.
void DrawGhostCraft(const TObj& mesh, T_point position, T_point rotation, T_point eyeOffset,
                    T_point scale, double opacity = kGhostOpacity);
