#include "world/Physics.h"

#include <cmath>

#include "assets/Lgeometry.h"
#include "platform/Window.h"

namespace {

constexpr double kPi = 3.1415926535897932385;

double Rad(double degrees) { return degrees * kPi / 180.0; }

void Move(T_point& position, const T_point& step) {
  position.x += step.x;
  position.y += step.y;
  position.z += step.z;
}

// Turn keys are read in the order left, right, nose down, nose up; any of them means the
// pilot is busy, so the craft stops bobbing.
void ApplyTurns(TCraftState& craft, const TPlayerKeys& keys, bool& idle) {
  if (keys.left) craft.rotation.y -= kTurnStep;
  if (keys.right) craft.rotation.y += kTurnStep;
  if (keys.noseDown) craft.rotation.x += kTurnStep;
  if (keys.noseUp) craft.rotation.x -= kTurnStep;
  if (keys.left || keys.right || keys.noseDown || keys.noseUp) idle = false;
}

// Thrust moves by the speed before it grows: 4 moves 4 and becomes 5, up to 21.
void Thrust(TCraftState& craft, const t_rain& terrain, bool& idle) {
  T_point step = FlightStep(craft.rotation, craft.speed);
  if (IsBlocked(terrain, craft.position, step)) return;
  Move(craft.position, step);
  idle = false;
  if (craft.speed <= kThrustLimit) craft.speed += 1.0;
}

// Coasting slows first and then moves by the new speed: 21 moves 20, ..., 5 moves 4.5,
// 4.5 moves 4, and at 4 the craft hovers. The test is made with the old speed.
void Coast(TCraftState& craft, const t_rain& terrain) {
  if (!(craft.speed > kRestSpeed)) return;
  if (IsBlocked(terrain, craft.position, FlightStep(craft.rotation, craft.speed))) return;
  craft.speed -= craft.speed > 5.0 ? 1.0 : 0.5;
  Move(craft.position, FlightStep(craft.rotation, craft.speed));
}

}  // namespace

TPlayerKeyCodes KeyCodesOf(int player) {
  if (player == 2) return {'A', 'D', 'W', 'S', 'F'};
  return {wnd::KEY_LEFT, wnd::KEY_RIGHT, wnd::KEY_UP, wnd::KEY_DOWN, wnd::KEY_SPACE};
}

TPlayerKeys ReadPlayerKeys(int player, const std::function<bool(int)>& isDown) {
  TPlayerKeyCodes codes = KeyCodesOf(player);
  TPlayerKeys keys;
  keys.left = isDown(codes.left);
  keys.right = isDown(codes.right);
  keys.noseDown = isDown(codes.noseDown);
  keys.noseUp = isDown(codes.noseUp);
  keys.thrust = isDown(codes.thrust);
  return keys;
}

TPhysicsState StartPhysics(T_point start1, T_point start2) {
  TPhysicsState state;
  state.players[0].position = {-start1.x, -start1.y, -start1.z};
  state.players[1].position = {-start2.x, -start2.y, -start2.z};
  return state;
}

T_point FlightStep(const T_point& rotation, double speed) {
  double yaw = Rad(rotation.y);
  double pitch = Rad(rotation.x);
  return {-std::sin(yaw) * speed, std::sin(pitch) * speed, std::cos(yaw) * speed};
}

bool IsBlocked(const t_rain& terrain, T_point position, T_point step) {
  T_point probe{position.x + step.x, position.y + step.y + kProbeLift, position.z + step.z};
  int row = 0;
  int column = 0;
  WorldToGrid(probe, terrain, row, column);
  const int w = terrain.Cols();
  const int h = terrain.Rows();
  if (column < 1 || column > w - 2 || row < 1 || row > h - 2) return true;
  if (probe.y > 0.0) return true;
  return terrain.Sample(row, column) * terrain.maxHeight / 255.0 > -probe.y;
}

TViewTransform UpdateCraft(TPhysicsState& state, int playerIndex, const TPlayerKeys& keys,
                           bool pause, const t_rain& terrain) {
  TCraftState& craft = state.players[playerIndex == 1 ? 1 : 0];
  state.idle = !pause;
  ApplyTurns(craft, keys, state.idle);
  if (keys.thrust) {
    Thrust(craft, terrain, state.idle);
  } else {
    Coast(craft, terrain);
  }
  TViewTransform view;
  if (state.idle) {
    state.bobPhase += kBobStep;
    view.bobbing = true;
    view.bobLift = std::cos(state.bobPhase) * kBobAmplitude;
  }
  view.rotation = craft.rotation;
  view.position = craft.position;
  return view;
}
