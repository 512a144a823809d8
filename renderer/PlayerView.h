// The player's eye: the turn and place of the craft multiplied onto the modelview, so the
// world drawn after it is seen from the craft.
#pragma once

#include "assets/Utype.h"

// Multiplies onto the current matrix: a lift of `bobLift` up y (none when 0), the pitch
// rotation.x about x, the yaw rotation.y about y, then the translation by `position`.
void MultiplyPlayerView(double bobLift, T_point rotation, T_point position);
