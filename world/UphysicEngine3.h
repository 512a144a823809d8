// The craft physics of a race: reads each player's keys, moves the craft under the
// flight rules (world/Physics.h) and has the renderer apply the player's view to the
// modelview matrix.
#pragma once

#include "assets/ObjModel.h"
#include "assets/Utype.h"
#include "world/Physics.h"

class TphysicEngine {
 public:
  // One player starting at `start` (the race passes (0, 200, 0)). The craft box and the
  // rings are accepted for the race's convenience and not kept.
  TphysicEngine(int viewportWidth, int viewportHeight, T_point start, const T_bounding_box& craftBox,
                const TRing_tab& rings, const t_rain& terrain);
  // Two players with their own start points.
  TphysicEngine(int viewportWidth, int viewportHeight, T_point start1, T_point start2,
                const T_bounding_box& craftBox, const TRing_tab& rings, const t_rain& terrain);

  // Once per frame per player (1 or 2), with the modelview prepared by the race: turns,
  // thrust or coasting, the idle bob unless paused, then the view. The caught count is
  // not used.
  void Update(int player, int caughtCount, bool pause);

  // The translation that brings the world into the player's view: the negated world
  // position of the craft's reference point.
  T_point Position(int player) const { return Craft(player).position; }
  T_point Rotation(int player) const { return Craft(player).rotation; }
  double Speed(int player) const { return Craft(player).speed; }
  const TPhysicsState& State() const { return state_; }
  int ViewportWidth() const { return viewportWidth_; }
  int ViewportHeight() const { return viewportHeight_; }

 private:
  const TCraftState& Craft(int player) const { return state_.players[player == 2 ? 1 : 0]; }

  int viewportWidth_;
  int viewportHeight_;
  TPhysicsState state_;
  t_rain terrain_;
};

// Multiplies the view of a frame onto the current matrix: the bob lift, the pitch about
// x, the yaw about y, then the translation.
void ApplyView(const TViewTransform& view);
