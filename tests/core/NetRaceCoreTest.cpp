// The network race's frame logic without a display or sockets: two machines meet
// through a scripted relay that answers the way the real one does (nobody while alone,
// then each with the other's latest record stamped with two registered players).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "modes/NetRaceCore.h"
#include "modes/RaceCore.h"
#include "platform/Window.h"
#include "tests/core/FlatTerrain.h"
#include "tests/core/ScriptedRelay.h"

namespace {

constexpr std::uint32_t kFrameMs = 16;

TRing RingAt(double x, double y, double z) {
  TRing ring;
  ring.origin = {x, y, z};
  return ring;
}

TNetRaceSetup RaceSetup(int player) {
  TNetRaceSetup setup;
  setup.playerNumber = player;
  setup.firstStart = {0.0, 200.0, 0.0};
  setup.secondStart = {20.0, 200.0, 0.0};
  setup.terrain = FlatTerrain(200);
  setup.rings = {RingAt(0, 150, -300), RingAt(100, 150, -600), RingAt(-200, 150, -800)};
  setup.initialTime = 60;
  return setup;
}


// A link that hands the race whatever record a test writes, once per Deliver.
class THandFedLink : public INetLink {
 public:
  TPerso Exchange(const TPerso&) override { return record_; }
  int RegisteredPlayers() const override { return 2; }
  bool HeardFromOther() const override { return true; }
  bool OtherPlayerGone() const override { return false; }
  long Received() const override { return received_; }
  std::string Failure() const override { return {}; }

  void Deliver(const TPerso& record) {
    record_ = record;
    ++received_;
  }

 private:
  TPerso record_;
  long received_ = 0;
};

TNetFrameInput At(std::uint32_t now, std::set<int> held = {}) {
  TNetFrameInput input;
  input.now = now;
  // The keys as the race reads them for this machine's pilot, with the default controls.
  const auto isDown = [&held](int code) { return held.count(code) > 0; };
  input.keys = ReadRaceKeys(TRaceKind::kNetwork, TControls{}, isDown, {}, false).arrows;
  return input;
}

// Runs frames until the race is on; returns the time reached.
std::uint32_t RunToStart(TNetRaceCore& race, std::uint32_t now) {
  for (int i = 0; i < 1000 && race.Phase() != TNetRacePhase::kRacing; ++i) {
    race.Frame(At(now));
    now += kFrameMs;
  }
  EXPECT_EQ(race.Phase(), TNetRacePhase::kRacing);
  return now;
}

// A record of the other player's craft at a world point (records hold it negated).
TPerso OtherAt(T_point world, int score) {
  TPerso record;
  record.number = 1;
  record.position = {-world.x, -(world.y - 5.0), -world.z};
  record.score = score;
  return record;
}

}  // namespace

TEST(NetRaceCore, JoiningPilotFliesWithTheArrowsAndSpaceNotTheSecondPlayersKeys) {
  TScriptedRelay relay;
  TScriptedLink hostLink(relay, 1), joinLink(relay, 2);
  TNetRaceCore host(RaceSetup(1), hostLink), joiner(RaceSetup(2), joinLink);
  std::uint32_t now = 0;
  for (int i = 0; i < 400 && joiner.Phase() != TNetRacePhase::kRacing; ++i, now += kFrameMs) {
    host.Frame(At(now));
    joiner.Frame(At(now));
  }
  ASSERT_EQ(joiner.Phase(), TNetRacePhase::kRacing);
  const TCraftState before = joiner.OwnCraft();

  // Player 2's keys of the split screen do nothing here: one person per keyboard.
  for (int i = 0; i < 20; ++i, now += kFrameMs) joiner.Frame(At(now, {'A', 'F', 'W'}));
  EXPECT_EQ(joiner.OwnCraft().rotation.y, before.rotation.y);
  EXPECT_EQ(joiner.OwnCraft().speed, kRestSpeed);

  for (int i = 0; i < 20; ++i, now += kFrameMs) {
    joiner.Frame(At(now, {wnd::KEY_LEFT, wnd::KEY_SPACE}));
    host.Frame(At(now));
  }
  const TCraftState& after = joiner.OwnCraft();
  EXPECT_NE(after.rotation.y, before.rotation.y);
  EXPECT_GT(after.speed, kRestSpeed);
  EXPECT_NE(after.position.z, before.position.z);
  // It is the joiner's craft that moved, and the host sees it where it went.
  EXPECT_EQ(joiner.Physics().players[0].position.z, -0.0);
  EXPECT_EQ(joinLink.Sent().position.z, after.position.z);
  EXPECT_EQ(joinLink.Sent().number, 2);
  EXPECT_EQ(host.OtherRecord().rotation.y, after.rotation.y);
  EXPECT_EQ(host.OtherRecord().position.x, after.position.x);
}

TEST(NetRaceCore, HostAloneKeepsItsClockUntilTheJoinThenBothClocksAgree) {
  TScriptedRelay relay;
  TScriptedLink hostLink(relay, 1), joinLink(relay, 2);
  TNetRaceCore host(RaceSetup(1), hostLink);
  std::uint32_t now = 1000;
  // 25 s alone: no second passes on the host's clock and its craft stays put.
  for (; now < 26000; now += kFrameMs) {
    host.Frame(At(now, {wnd::KEY_SPACE, wnd::KEY_LEFT}));
    ASSERT_EQ(host.Phase(), TNetRacePhase::kWaiting);
  }
  EXPECT_EQ(host.TimeLeft(), 60);
  EXPECT_EQ(host.OwnCraft().speed, kRestSpeed);
  EXPECT_EQ(host.OwnCraft().rotation.y, 0.0);

  TNetRaceCore joiner(RaceSetup(2), joinLink);
  const std::uint32_t joined = now;
  bool hostLinked = false, joinerLinked = false;
  int countdownSeen = 0;
  for (; now < joined + 8000; now += kFrameMs) {
    // The joiner's frames are half a frame behind the host's, as on two machines.
    hostLinked |= host.Frame(At(now)).linked;
    joinerLinked |= joiner.Frame(At(now + kFrameMs / 2)).linked;
    if (host.CountdownDigit(now) == 3 && joiner.CountdownDigit(now + kFrameMs / 2) == 3) {
      ++countdownSeen;
    }
    EXPECT_LE(std::abs(host.TimeLeft() - joiner.TimeLeft()), 1);
  }
  EXPECT_TRUE(hostLinked);
  EXPECT_TRUE(joinerLinked);
  EXPECT_GT(countdownSeen, 0);
  ASSERT_EQ(host.Phase(), TNetRacePhase::kRacing);
  ASSERT_EQ(joiner.Phase(), TNetRacePhase::kRacing);
  // Three seconds of countdown, then five of racing (less the frame that saw the link).
  EXPECT_EQ(host.TimeLeft(), joiner.TimeLeft());
  EXPECT_EQ(host.TimeLeft(), 56);
}

TEST(NetRaceCore, WaitingGameLeavesOnEscapeOrWhenTheHostCannotBeReached) {
  TScriptedRelay relay;
  TScriptedLink link(relay, 2);
  TNetRaceCore leaving(RaceSetup(2), link);
  leaving.Frame(At(0));
  TNetFrameInput escape = At(16);
  escape.leave = true;
  leaving.Frame(escape);
  EXPECT_EQ(leaving.Phase(), TNetRacePhase::kLeft);
  EXPECT_FALSE(leaving.Running());

  TScriptedRelay empty;
  TScriptedLink refused(empty, 2);
  TNetRaceCore joiner(RaceSetup(2), refused);
  joiner.Frame(At(0));
  EXPECT_TRUE(joiner.Running());
  refused.failure_ = "The host \"127.0.0.1\" cannot be reached: Connection refused.";
  joiner.Frame(At(16));
  EXPECT_EQ(joiner.Phase(), TNetRacePhase::kFailed);
  EXPECT_EQ(joiner.Failure(), refused.failure_);
}

TEST(NetRaceCore, HostileRecordMovesTheCaughtCountOneRingAtMostAndCannotEndTheRace) {
  THandFedLink link;
  TNetRaceCore race(RaceSetup(2), link);
  std::uint32_t now = RunToStart(race, 0);
  const auto frame = [&] {
    race.Frame(At(now));
    now += kFrameMs;
  };

  // Every ring claimed from far away: not believed.
  link.Deliver(OtherAt({0, 150, 800}, 30));
  frame();
  EXPECT_EQ(race.CaughtCount(), 0);

  // Every ring claimed beside the first: one ring, and the same record again adds none.
  link.Deliver(OtherAt({0, 150, -300}, 30));
  frame();
  frame();
  frame();
  EXPECT_EQ(race.CaughtCount(), 1);
  EXPECT_TRUE(race.Rings()[0].caught);
  EXPECT_FALSE(race.Rings()[1].caught);
  EXPECT_TRUE(race.Running());

  // Scores out of range and crafts far off the terrain are dropped whole.
  const long droppedBefore = race.DroppedRecords();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TPerso notFinite = OtherAt({100, 150, -600}, 20);
  notFinite.rotation.x = nan;
  for (const TPerso& bad : {OtherAt({100, 150, -600}, 40), OtherAt({100, 150, -600}, -10),
                            OtherAt({100, 150, -600}, 2'000'000'000),
                            OtherAt({5000, 150, -600}, 20), OtherAt({100, 150, 4000}, 20),
                            OtherAt({100, -2.0e6, -600}, 20), notFinite}) {
    link.Deliver(bad);
    frame();
  }
  EXPECT_EQ(race.DroppedRecords(), droppedBefore + 7);
  EXPECT_EQ(race.CaughtCount(), 1);
  EXPECT_EQ(race.OtherRecord().position.z, -(-300.0));

  // A real catch of the next ring by the other player counts here too.
  link.Deliver(OtherAt({100, 150, -600}, 20));
  frame();
  EXPECT_EQ(race.CaughtCount(), 2);
  EXPECT_TRUE(race.Running());
}

TEST(NetRaceCore, OwnRingsAndTheClockEndTheRaceOnlyAfterTheStart) {
  THandFedLink link;
  TNetRaceSetup setup = RaceSetup(1);
  setup.initialTime = 2;
  setup.rings = {RingAt(0, 195, -20)};  // in reach of the start point
  TNetRaceCore race(setup, link);
  race.Frame(At(0));
  EXPECT_EQ(race.Phase(), TNetRacePhase::kCountdown);
  EXPECT_EQ(race.CountdownDigit(0), 3);
  EXPECT_EQ(race.CountdownDigit(1500), 2);
  EXPECT_EQ(race.CountdownDigit(2999), 1);
  race.Frame(At(1000));
  EXPECT_EQ(race.CaughtCount(), 0);  // no ring is caught before the start
  race.Frame(At(3000));
  EXPECT_EQ(race.Phase(), TNetRacePhase::kRacing);
  race.Frame(At(3016));
  EXPECT_EQ(race.CaughtCount(), 1);
  EXPECT_EQ(race.Phase(), TNetRacePhase::kOver);
  EXPECT_TRUE(race.Won());
  EXPECT_EQ(link.Received(), 0);
}
