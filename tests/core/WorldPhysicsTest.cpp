#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "world/Physics.h"

namespace {

// A square grid of one height, cell 10, maximum height 255 (one unit a step).
t_rain FlatTerrain(int size, std::uint8_t height) {
  t_rain t;
  t.cellSize = 10.0;
  t.maxHeight = 255.0;
  t.samples = std::make_shared<const t_tab_pixel>(
      static_cast<std::size_t>(size), std::vector<std::uint8_t>(static_cast<std::size_t>(size), height));
  return t;
}

TPlayerKeys Thrust() {
  TPlayerKeys k;
  k.thrust = true;
  return k;
}

}  // namespace

TEST(WorldPhysics, ThrustFromRestClimbsFiveToTwentyOneMovingByTheOldSpeed) {
  t_rain terrain = FlatTerrain(200, 0);
  TPhysicsState s = StartPhysics({0, 200, 0});
  EXPECT_EQ(s.players[0].position.y, -200.0);
  double z = 0.0;
  for (int frame = 0; frame < 20; ++frame) {
    double before = s.players[0].speed;
    UpdateCraft(s, 0, Thrust(), false, terrain);
    z += before;  // yaw 0: the world moves toward the eye, the craft flies to world -z
    EXPECT_DOUBLE_EQ(s.players[0].position.z, z);
    EXPECT_EQ(s.players[0].speed, std::min(5.0 + frame, 21.0)) << "frame " << frame;
  }
  EXPECT_EQ(s.players[0].position.x, 0.0);
  EXPECT_EQ(s.players[0].position.y, -200.0);
}

TEST(WorldPhysics, CoastingSlowsByOneThenByAHalfMovingByTheNewSpeedAndHoversAtFour) {
  t_rain terrain = FlatTerrain(400, 0);
  TPhysicsState s = StartPhysics({0, 200, 0});
  s.players[0].speed = 21.0;
  std::vector<double> expected;
  for (double v = 20; v >= 5; v -= 1) expected.push_back(v);
  expected.push_back(4.5);
  expected.push_back(4.0);
  double z = 0.0;
  for (double v : expected) {
    UpdateCraft(s, 0, TPlayerKeys{}, false, terrain);
    z += v;
    EXPECT_EQ(s.players[0].speed, v);
    EXPECT_DOUBLE_EQ(s.players[0].position.z, z);
  }
  UpdateCraft(s, 0, TPlayerKeys{}, false, terrain);
  EXPECT_EQ(s.players[0].speed, 4.0);
  EXPECT_DOUBLE_EQ(s.players[0].position.z, z) << "at rest speed the craft stays put";
}

TEST(WorldPhysics, TurnsAndPitchMoveAlongTheirWorldDirections) {
  t_rain terrain = FlatTerrain(200, 0);
  TPhysicsState s = StartPhysics({0, 200, 0});
  TPlayerKeys keys;
  keys.right = true;
  for (int i = 0; i < 45; ++i) UpdateCraft(s, 0, keys, false, terrain);  // yaw 90
  keys = TPlayerKeys{};
  keys.noseDown = true;
  for (int i = 0; i < 15; ++i) UpdateCraft(s, 0, keys, false, terrain);  // pitch 30
  EXPECT_EQ(s.players[0].rotation.y, 90.0);
  EXPECT_EQ(s.players[0].rotation.x, 30.0);
  UpdateCraft(s, 0, Thrust(), false, terrain);
  // World step (sin yaw, -sin pitch, -cos yaw) x 4: toward +x and down.
  EXPECT_NEAR(-s.players[0].position.x, 4.0, 1e-12);
  EXPECT_NEAR(-s.players[0].position.y, 200.0 - 2.0, 1e-12);
  EXPECT_NEAR(-s.players[0].position.z, 0.0, 1e-12);
  keys = TPlayerKeys{};
  keys.left = keys.right = keys.noseUp = keys.noseDown = true;  // they cancel out
  UpdateCraft(s, 0, keys, false, terrain);
  EXPECT_EQ(s.players[0].rotation.y, 90.0);
  EXPECT_EQ(s.players[0].rotation.x, 30.0);
}

TEST(WorldPhysics, RefusedStepsChangeNothing) {
  // Samples of 100 units under the whole grid: the reference point must stay above 110.
  t_rain terrain = FlatTerrain(40, 100);
  TPhysicsState s = StartPhysics({0, 115, 0});
  s.players[0].rotation.x = 90.0;  // straight down: 4 units lower is 111, still allowed
  UpdateCraft(s, 0, Thrust(), false, terrain);
  EXPECT_DOUBLE_EQ(-s.players[0].position.y, 111.0);
  EXPECT_EQ(s.players[0].speed, 5.0);
  TCraftState before = s.players[0];
  UpdateCraft(s, 0, Thrust(), false, terrain);  // 106: too close
  EXPECT_EQ(s.players[0].position.y, before.position.y);
  EXPECT_EQ(s.players[0].speed, 5.0);
  UpdateCraft(s, 0, TPlayerKeys{}, false, terrain);  // coasting is refused alike
  EXPECT_EQ(s.players[0].speed, 5.0);
  EXPECT_EQ(s.players[0].position.y, before.position.y);

  // Exactly 10 above the sample is allowed (the test is strict), and never below 10.
  EXPECT_FALSE(IsBlocked(terrain, {0, -115, 0}, {0, 5, 0}));
  EXPECT_TRUE(IsBlocked(terrain, {0, -115, 0}, {0, 5.001, 0}));
  t_rain low = FlatTerrain(40, 0);
  EXPECT_FALSE(IsBlocked(low, {0, -15, 0}, {0, 5, 0}));
  EXPECT_TRUE(IsBlocked(low, {0, -15, 0}, {0, 5.5, 0}));
}

TEST(WorldPhysics, TheOutermostCellsAreOutOfBounds) {
  t_rain terrain = FlatTerrain(20, 0);  // world x and z from -100 to 100
  // Column index = trunc((100 + world x) / 10): column 18 is the last allowed one.
  EXPECT_FALSE(IsBlocked(terrain, {-89.9, -50, 0}, {}));
  EXPECT_TRUE(IsBlocked(terrain, {-90.0, -50, 0}, {}));
  EXPECT_FALSE(IsBlocked(terrain, {89.9, -50, 0}, {}));
  EXPECT_TRUE(IsBlocked(terrain, {90.1, -50, 0}, {}));
  EXPECT_TRUE(IsBlocked(terrain, {0, -50, 90.1}, {}));
  EXPECT_TRUE(IsBlocked(terrain, {0, -50, 0}, {0, 0, -95}));
}

TEST(WorldPhysics, AnEmptyTerrainRefusesEveryStep) {
  t_rain empty;
  TPhysicsState s = StartPhysics({0, 200, 0});
  for (int i = 0; i < 5; ++i) UpdateCraft(s, 0, Thrust(), false, empty);
  EXPECT_EQ(s.players[0].position.z, 0.0);
  EXPECT_EQ(s.players[0].speed, 4.0);
  t_rain oneRow;
  oneRow.samples = std::make_shared<const t_tab_pixel>(1, std::vector<std::uint8_t>{});
  EXPECT_TRUE(IsBlocked(oneRow, {0, -100, 0}, {}));
}

TEST(WorldPhysics, IdleCraftBobsUnlessTurningOrPaused) {
  t_rain terrain = FlatTerrain(100, 0);
  TPhysicsState s = StartPhysics({0, 200, 0});
  for (int i = 1; i <= 3; ++i) {
    TViewTransform v = UpdateCraft(s, 0, TPlayerKeys{}, false, terrain);
    EXPECT_TRUE(v.bobbing);
    EXPECT_DOUBLE_EQ(v.bobLift, std::cos(0.1 * i) * 1.5);
  }
  TPlayerKeys turn;
  turn.noseUp = true;
  TViewTransform turning = UpdateCraft(s, 0, turn, false, terrain);
  EXPECT_FALSE(turning.bobbing);
  EXPECT_DOUBLE_EQ(s.bobPhase, 0.3);
  TViewTransform paused = UpdateCraft(s, 0, Thrust(), true, terrain);
  EXPECT_FALSE(paused.bobbing);
  EXPECT_EQ(s.players[0].speed, 5.0) << "keys still work while paused";
  // Coasting does not count as flying: the craft bobs while it slows down.
  TViewTransform coasting = UpdateCraft(s, 0, TPlayerKeys{}, false, terrain);
  EXPECT_TRUE(coasting.bobbing);
  EXPECT_EQ(s.players[0].speed, 4.5);
  EXPECT_EQ(coasting.position.z, s.players[0].position.z);
}

TEST(WorldPhysics, TwoPlayersAreIndependentButShareTheBob) {
  t_rain terrain = FlatTerrain(100, 0);
  TPhysicsState s = StartPhysics({0, 200, 0}, {20, 200, 0});
  EXPECT_EQ(s.players[1].position.x, -20.0);
  TPlayerKeys left;
  left.left = true;
  UpdateCraft(s, 1, left, false, terrain);
  UpdateCraft(s, 1, Thrust(), false, terrain);
  EXPECT_EQ(s.players[1].rotation.y, -2.0);
  EXPECT_EQ(s.players[1].speed, 5.0);
  EXPECT_EQ(s.players[0].rotation.y, 0.0);
  EXPECT_EQ(s.players[0].speed, 4.0);
  EXPECT_EQ(s.players[0].position.z, 0.0);
  UpdateCraft(s, 0, TPlayerKeys{}, false, terrain);
  UpdateCraft(s, 1, TPlayerKeys{}, false, terrain);
  EXPECT_DOUBLE_EQ(s.bobPhase, 0.2) << "one phase for both players";
}

TEST(WorldPhysics, KeysOfEachPlayer) {
  std::set<int> down = {285, 32, 'W'};
  auto isDown = [&](int code) { return down.count(code) > 0; };
  TPlayerKeys one = ReadPlayerKeys(1, isDown);
  EXPECT_TRUE(one.left && one.thrust);
  EXPECT_FALSE(one.right || one.noseDown || one.noseUp);
  TPlayerKeys two = ReadPlayerKeys(2, isDown);
  EXPECT_TRUE(two.noseDown);
  EXPECT_FALSE(two.left || two.right || two.noseUp || two.thrust);
  TPlayerKeyCodes codes = KeyCodesOf(2);
  EXPECT_EQ(codes.left, 65);
  EXPECT_EQ(codes.right, 68);
  EXPECT_EQ(codes.noseDown, 87);
  EXPECT_EQ(codes.noseUp, 83);
  EXPECT_EQ(codes.thrust, 70);
  EXPECT_EQ(KeyCodesOf(1).noseDown, 283);
  EXPECT_EQ(KeyCodesOf(1).noseUp, 284);
  EXPECT_EQ(KeyCodesOf(1).right, 286);
}
