// The craft's flight rules, frame by frame and without a display: turning, thrust and
// coasting, the terrain refusing a step, and the idle bob. Speeds are world units per
// frame, turns degrees per frame; there is no time step.
#pragma once

#include <functional>

#include "assets/Utype.h"

// The five controls of one player, as held this frame.
struct TPlayerKeys {
  bool left = false;
  bool right = false;
  bool noseDown = false;
  bool noseUp = false;
  bool thrust = false;
};

// Key codes of each player's controls (player 1: arrows and space; player 2: A D W S F).
struct TPlayerKeyCodes {
  int left, right, noseDown, noseUp, thrust;
};
TPlayerKeyCodes KeyCodesOf(int player);
// Reads one player's keys through `isDown(code)`.
TPlayerKeys ReadPlayerKeys(int player, const std::function<bool(int)>& isDown);

inline constexpr double kTurnStep = 2.0;
inline constexpr double kRestSpeed = 4.0;
inline constexpr double kThrustLimit = 20.0;  // speed still grows while at most this
inline constexpr double kProbeLift = 10.0;
inline constexpr double kBobStep = 0.1;
inline constexpr double kBobAmplitude = 1.5;

// One craft. position is the translation that brings the world into the player's view:
// the negated world position of the craft's reference point.
struct TCraftState {
  T_point rotation;  // x pitch (positive: nose down), y yaw, z roll (stays 0)
  T_point position;
  double speed = kRestSpeed;
};

// Both players; the idle flag and the bob phase are shared between them.
struct TPhysicsState {
  double bobPhase = 0.0;
  bool idle = true;
  TCraftState players[2];
};

// What the view applies after a frame: the bob lift (0 unless bobbing), then the turns
// and the translation of the player's craft.
struct TViewTransform {
  bool bobbing = false;
  double bobLift = 0.0;
  T_point rotation;
  T_point position;
};

// The state at the start of a race: the players stand at the negated start points.
TPhysicsState StartPhysics(T_point start1, T_point start2 = {});

// The step one frame of flight at `speed` would take, in the physics' convention.
T_point FlightStep(const T_point& rotation, double speed);

// Whether the terrain refuses the step from `position`: the craft may not enter the
// outermost ring of cells nor come within 10 units above the sample under it. A terrain
// without samples refuses every step.
bool IsBlocked(const t_rain& terrain, T_point position, T_point step);

// One frame for player index 0 or 1 (players 1 and 2).
TViewTransform UpdateCraft(TPhysicsState& state, int playerIndex, const TPlayerKeys& keys,
                           bool pause, const t_rain& terrain);
