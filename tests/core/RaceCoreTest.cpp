// Whole races in the race core, without a window, GL or sound: the time attack won and
// lost, the pause overlay, the split screen, a network race between two cores over a
// scripted relay, a season of the story carried into the next, and the keys a race reads:
// each player's keys from the settings and the pad that player flies with.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "modes/PadSeats.h"
#include "modes/RaceCore.h"
#include "platform/Window.h"
#include "saves/SettingsStore.h"
#include "tests/FixtureFolder.h"
#include "tests/core/FlatTerrain.h"
#include "tests/core/ScriptedRelay.h"

namespace {

constexpr std::uint32_t kFrameMs = 16;

TRing RingAt(double x, double y, double z) {
  TRing ring;
  ring.origin = {x, y, z};
  ring.caught = true;  // a course always starts with nothing caught, whatever it says
  return ring;
}

// Straight ahead of the start (towards -z), at the height of the time attack's point.
TRaceSetup StraightCourse(TRaceKind kind, int initialTime, int baseScore = 0) {
  TRaceSetup setup;
  setup.kind = kind;
  setup.terrain = FlatTerrain(200);
  setup.rings = {RingAt(0, 195, -300), RingAt(0, 195, -600), RingAt(0, 195, -900)};
  setup.initialTime = initialTime;
  setup.baseScore = baseScore;
  return setup;
}

TPlayerKeys Thrust() {
  TPlayerKeys keys;
  keys.thrust = true;
  return keys;
}

// Drives a race frame by frame as the game's loop does: the keys of each frame, then the
// overlay's choice once the frame is drawn. Returns the frames run.
struct TRaceDriver {
  TRaceCore& race;
  std::uint32_t now = 1000;
  std::function<TRaceKeys(int frame)> keys = [](int) { return TRaceKeys{}; };
  std::function<TOverlayChoice(int frame)> overlay = [](int) { return TOverlayChoice::kNone; };
  int frames = 0;
  int lastFrameFlagged = -1;

  void Frame() {
    TRaceInput input{keys(frames), now};
    if (race.StartFrame(input).lastFrame) lastFrameFlagged = frames;
    now += kFrameMs;
    race.FinishFrame(race.OverlayOpen() ? overlay(frames) : TOverlayChoice::kNone, now);
    ++frames;
  }
  int RunToEnd(int limit = 100000) {
    race.Start(now);
    while (race.Running() && frames < limit) Frame();
    return frames;
  }
};

}  // namespace

TEST(RaceCoreTimeAttack, ThrustThroughEveryRingWinsWithTheTimeBonusAndTheScoreCarriedIn) {
  TRaceCore race(StraightCourse(TRaceKind::kTimeAttack, 10, 30));
  EXPECT_EQ(race.CaughtCount(), 0);
  TRaceDriver driver{race};
  driver.keys = [](int) {
    TRaceKeys keys;
    keys.arrows = Thrust();
    return keys;
  };
  const int frames = driver.RunToEnd();
  EXPECT_FALSE(race.Running());
  EXPECT_EQ(race.CaughtCount(), 3);
  EXPECT_TRUE(race.Won());
  EXPECT_EQ(race.ResultText(), "MENUW");
  // 900 units at up to 21 a frame: under 4 seconds of a 10 s clock.
  EXPECT_LT(frames, 4000 / static_cast<int>(kFrameMs));
  EXPECT_GE(race.TimeLeft(), 6);
  EXPECT_EQ(race.Score(), 3 * 10 + 30 + race.TimeLeft() + 1);
  // The frame that found every ring passed was flown and drawn, and it was the last.
  EXPECT_EQ(driver.lastFrameFlagged, frames - 1);
}

TEST(RaceCoreTimeAttack, WithoutThrustTheClockRunsOutAfterElevenSecondsAndTheRaceIsLost) {
  TRaceCore race(StraightCourse(TRaceKind::kTimeAttack, 10, 30));
  TRaceDriver driver{race};
  const std::uint32_t start = driver.now;
  driver.RunToEnd();
  EXPECT_EQ(race.TimeLeft(), -1);
  EXPECT_EQ(race.CaughtCount(), 0);
  EXPECT_FALSE(race.Won());
  EXPECT_EQ(race.ResultText(), "MENUL");
  EXPECT_EQ(race.Score(), 30);  // no ring, no bonus for a clock that ran out
  // 10, 9, ..., 0, -1: eleven counted seconds, each at least 1000 ms, at most a frame more.
  EXPECT_GE(driver.now - start, 11000u);
  EXPECT_LE(driver.now - start, 11000u + 11 * kFrameMs + kFrameMs);
}

TEST(RaceCoreTimeAttack, TheRingTestTakesTheCraftsPointLoweredByFiveBeforeItMoves) {
  TRaceSetup setup = StraightCourse(TRaceKind::kTimeAttack, 10);
  // 25 from the start's point lowered by 5, (0, 195, 0); 28.3 from the point unlowered,
  // and from the lowered point after the first move: only the right point catches it.
  setup.rings = {RingAt(0, 180, 20)};
  TRaceCore race(setup);
  race.Start(0);
  TRaceKeys thrust;
  thrust.arrows = Thrust();
  const TRaceEvents first = race.StartFrame({thrust, 0});
  EXPECT_EQ(first.passes[0].ringPoint.y, 195.0);
  EXPECT_EQ(first.passes[0].caughtCount, 1);
  EXPECT_FALSE(first.lastFrame);
  race.FinishFrame(TOverlayChoice::kNone, 16);
  EXPECT_TRUE(race.StartFrame({TRaceKeys{}, 16}).lastFrame);
  EXPECT_TRUE(race.FinishFrame(TOverlayChoice::kNone, 32).over);
  EXPECT_EQ(race.ResultText(), "MENUW");
}

TEST(RaceCoreOverlay, EscapeStopsTheClockTheCraftAnswersNoKeysAndLeavingLosesWithoutBonus) {
  TRaceCore race(StraightCourse(TRaceKind::kTimeAttack, 10, 5));
  TRaceDriver driver{race};
  const int open = 100, back = 500, reopen = 700, leave = 760;
  driver.keys = [&](int frame) {
    TRaceKeys keys;
    keys.escapePressed = frame == open || frame == reopen;
    // Left held from before the overlay opens until after it closes: the arrows that
    // move the overlay's focus must not turn the craft behind it.
    keys.arrows.left = frame > open - 10 && frame < back + 10;
    return keys;
  };
  int timeAtOpen = 0;
  driver.overlay = [&](int frame) {
    if (frame == open) timeAtOpen = race.TimeLeft();
    if (frame == back) return TOverlayChoice::kBackToRace;
    return frame == leave ? TOverlayChoice::kLeaveRace : TOverlayChoice::kNone;
  };
  race.Start(driver.now);
  while (driver.frames <= back) driver.Frame();
  // Four hundred frames (6.4 s) open: not a second counted, and the craft turned only in
  // the frames before the overlay opened (the opening frame already answers no key).
  EXPECT_EQ(race.TimeLeft(), timeAtOpen);
  EXPECT_EQ(race.Rotation(1).y, -9 * kTurnStep);
  EXPECT_FALSE(race.OverlayOpen());
  driver.Frame();  // closed again: the held key turns the craft once more
  EXPECT_EQ(race.Rotation(1).y, -10 * kTurnStep);
  // The first frame after it closed counted the second that was due.
  EXPECT_EQ(race.TimeLeft(), timeAtOpen - 1);
  while (race.Running()) driver.Frame();
  EXPECT_EQ(driver.frames, leave + 1);
  EXPECT_TRUE(race.LeftThroughOverlay());
  EXPECT_EQ(race.ResultText(), "MENU RETURNL");
  EXPECT_EQ(race.Score(), 5);
}

TEST(RaceCoreSplitScreen, EachPilotFliesWithItsOwnKeysAndARingCaughtByEitherCountsForBoth) {
  TRaceSetup setup = StraightCourse(TRaceKind::kSplitScreen, 3);
  // Player 2 starts 20 to the side; in the split screen nobody's point is lowered.
  setup.rings = {RingAt(20, 200, -300), RingAt(20, 200, -600)};
  TRaceCore race(setup);
  TRaceDriver driver{race};
  driver.keys = [](int frame) {
    TRaceKeys keys;
    keys.letters = Thrust();
    keys.arrows.right = frame < 5;  // player 1 only turns
    return keys;
  };
  driver.RunToEnd();
  EXPECT_EQ(race.CaughtCount(), 2);
  EXPECT_TRUE(race.Won());
  EXPECT_EQ(race.Rotation(1).y, 5 * kTurnStep);
  EXPECT_EQ(race.Position(1).z, 0.0);
  EXPECT_EQ(race.Rotation(2).y, 0.0);
  EXPECT_GT(race.Position(2).z, 600.0 - 27.0);
  EXPECT_EQ(race.Record(1).score, 20);
  EXPECT_EQ(race.Record(2).score, 20);
  EXPECT_EQ(race.Record(2).name, "player2");
}

TEST(RaceCoreSplitScreen, EachHalfSeesTheCountAndTheOtherCraftAsTheyStoodWhenItWasDrawn) {
  TRaceSetup setup = StraightCourse(TRaceKind::kSplitScreen, 10);
  setup.rings = {RingAt(40, 200, 0), RingAt(0, 0, 900)};  // 20 from player 2, 40 from player 1
  TRaceCore race(setup);
  race.Start(0);
  TRaceKeys keys;
  keys.arrows = Thrust();
  keys.letters = Thrust();
  const TRaceEvents events = race.StartFrame({keys, 0});
  EXPECT_EQ(events.passes[0].caughtCount, 0);  // player 1's HUD is drawn before player 2 flies
  EXPECT_EQ(events.passes[1].caughtCount, 1);
  EXPECT_EQ(events.passes[0].other.position.z, 0.0);                // player 2 not moved yet
  EXPECT_EQ(events.passes[1].other.position.z, race.Position(1).z);  // player 1 moved
  EXPECT_GT(race.Position(1).z, 0.0);
}

namespace {


TRaceSetup NetworkSetup(int player) {
  TRaceSetup setup = StraightCourse(TRaceKind::kNetwork, 20);
  setup.playerNumber = player;
  // Ahead of the joiner's start, 20 to the side.
  setup.rings = {RingAt(20, 195, -300), RingAt(20, 195, -600)};
  return setup;
}

}  // namespace

TEST(RaceCoreNetwork, TheJoinerFliesWithTheArrowsAndSpaceAndItsRingsEndTheRaceOnBothMachines) {
  TScriptedRelay relay;
  TScriptedLink hostLink(relay, 1), joinLink(relay, 2);
  TRaceCore host(NetworkSetup(1), hostLink), joiner(NetworkSetup(2), joinLink);
  std::uint32_t now = 0;
  bool started = false;
  int frames = 0;
  // The joiner's pilot holds the keys of player 2 of the split screen for the first
  // seconds of the race, then the arrows and space.
  bool lettersMovedIt = false;
  for (; frames < 3000 && (host.Running() || joiner.Running()); ++frames, now += kFrameMs) {
    const bool racing = joiner.Network()->Phase() == TNetRacePhase::kRacing;
    const bool useLetters = !started || now < 6000;
    started |= racing;
    TRaceKeys keys;
    (useLetters ? keys.letters : keys.arrows) = Thrust();
    const TCraftState before = joiner.Craft(2);
    host.StartFrame({TRaceKeys{}, now});
    joiner.StartFrame({keys, now + kFrameMs / 2});
    if (useLetters && joiner.Craft(2).speed != before.speed) lettersMovedIt = true;
    host.FinishFrame(TOverlayChoice::kNone, now + kFrameMs);
    joiner.FinishFrame(TOverlayChoice::kNone, now + kFrameMs);
  }
  EXPECT_TRUE(started);
  EXPECT_FALSE(lettersMovedIt);
  EXPECT_FALSE(host.Running());
  EXPECT_FALSE(joiner.Running());
  EXPECT_EQ(joiner.Network()->Phase(), TNetRacePhase::kOver);
  EXPECT_EQ(host.Network()->Phase(), TNetRacePhase::kOver);
  // The joiner caught both rings; the host, which never moved, counts them too.
  EXPECT_EQ(joiner.CaughtCount(), 2);
  EXPECT_EQ(host.CaughtCount(), 2);
  EXPECT_TRUE(host.Won());
  EXPECT_EQ(host.Craft(1).position.z, -0.0);
  EXPECT_GT(host.Network()->OtherRecord().position.z, 600.0 - 40.0);
}

TEST(RaceCoreNetwork, TheHostFliesWithTheArrowsTooAndEscapeLeavesOnlyWhileWaiting) {
  TScriptedRelay relay;
  TScriptedLink hostLink(relay, 1), joinLink(relay, 2);
  TRaceCore host(NetworkSetup(1), hostLink), joiner(NetworkSetup(2), joinLink);
  std::uint32_t now = 0;
  TRaceKeys arrows;
  arrows.arrows.left = true;
  arrows.escapeHeld = true;  // once linked, Escape leaves nothing
  for (int i = 0; i < 400; ++i, now += kFrameMs) {
    const bool linked = host.Network()->Phase() != TNetRacePhase::kWaiting;
    host.StartFrame({linked ? arrows : TRaceKeys{}, now});
    joiner.StartFrame({TRaceKeys{}, now});
  }
  EXPECT_EQ(host.Network()->Phase(), TNetRacePhase::kRacing);
  EXPECT_LT(host.Craft(1).rotation.y, 0.0);

  TScriptedRelay alone;
  TScriptedLink lonely(alone, 2);
  TRaceCore waiting(NetworkSetup(2), lonely);
  waiting.StartFrame({TRaceKeys{}, 0});
  EXPECT_TRUE(waiting.Running());
  TRaceKeys escape;
  escape.escapePressed = true;  // a press is not enough: the key must be down
  waiting.StartFrame({escape, 16});
  EXPECT_TRUE(waiting.Running());
  escape.escapeHeld = true;
  waiting.StartFrame({escape, 32});
  EXPECT_EQ(waiting.Network()->Phase(), TNetRacePhase::kLeft);
  EXPECT_TRUE(waiting.FinishFrame(TOverlayChoice::kNone, 48).over);
}

TEST(RaceCoreStory, AWonSeasonCarriesItsScoreIntoTheNextAndALostOneAddsNothing) {
  int totalScore = 40;
  // Summer: won with the rings straight ahead.
  TRaceCore summer(StraightCourse(TRaceKind::kTimeAttack, 10, totalScore));
  TRaceDriver summerRun{summer};
  summerRun.keys = [](int) {
    TRaceKeys keys;
    keys.arrows = Thrust();
    return keys;
  };
  summerRun.RunToEnd();
  ASSERT_EQ(summer.ResultText(), "MENUW");
  totalScore = summer.Score();
  EXPECT_EQ(totalScore, 40 + 30 + summer.TimeLeft() + 1);
  // Autumn: no thrust, the clock runs out; the story reads the result and the score.
  TRaceSetup autumnSetup = StraightCourse(TRaceKind::kTimeAttack, 2, totalScore);
  TRaceCore autumn(autumnSetup);
  TRaceDriver autumnRun{autumn};
  autumnRun.RunToEnd();
  EXPECT_EQ(autumn.ResultText(), "MENUL");
  EXPECT_EQ(autumn.Score(), totalScore);
}

TEST(RaceCoreCourse, AGeneratedCourseComesFromTheRandomSourceHandedIn) {
  const t_rain terrain = FlatTerrain(120);
  auto course = [&](unsigned seed) {
    std::mt19937 engine(seed);
    return GenerateCourse(terrain, kRequestedRings, [&engine] {
      return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
    });
  };
  const TRing_tab a = course(7), b = course(7), c = course(8);
  ASSERT_EQ(a.size(), static_cast<std::size_t>(kRequestedRings));
  ASSERT_EQ(b.size(), a.size());
  bool differs = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].origin.x, b[i].origin.x);
    EXPECT_EQ(a[i].origin.z, b[i].origin.z);
    differs |= i < c.size() && a[i].origin.x != c[i].origin.x;
  }
  EXPECT_TRUE(differs);
  // The race on it starts with none caught and runs out without thrust.
  TRaceSetup setup;
  setup.terrain = terrain;
  setup.rings = a;
  setup.initialTime = 1;
  TRaceCore race(setup);
  TRaceDriver driver{race};
  driver.RunToEnd();
  EXPECT_EQ(race.RingCount(), kRequestedRings);
  EXPECT_EQ(race.ResultText(), "MENUL");
}

namespace {

using TPads = std::vector<wnd::TPadState>;

bool NoKeys(const TPlayerKeys& keys) {
  return !(keys.left || keys.right || keys.noseDown || keys.noseUp || keys.thrust);
}

// The pads of a test: the first holds its south button, the second its d-pad's left.
TPads PadsHolding(int count) {
  TPads pads(count);
  for (wnd::TPadState& pad : pads) pad.connected = true;
  if (count > 0) pads[0].south = true;
  if (count > 1) pads[1].dpadLeft = true;
  return pads;
}

TRaceKeys PadsOnly(TRaceKind kind, const TPads& pads) {
  return ReadRaceKeys(kind, TControls{}, [](int) { return false; }, pads, false);
}

}  // namespace

TEST(RaceKeys, PlayerOneTakesTheFirstPadAndTheSplitScreensSecondPlayerTheOtherOrTheOnlyOne) {
  for (TRaceKind kind : {TRaceKind::kTimeAttack, TRaceKind::kNetwork}) {
    EXPECT_TRUE(NoKeys(PadsOnly(kind, {}).arrows));
    TRaceKeys keys = PadsOnly(kind, PadsHolding(1));
    EXPECT_TRUE(keys.arrows.thrust);
    EXPECT_TRUE(NoKeys(keys.letters));
    keys = PadsOnly(kind, PadsHolding(2));  // a second pad flies nothing here
    EXPECT_TRUE(keys.arrows.thrust && !keys.arrows.left);
    EXPECT_TRUE(NoKeys(keys.letters));
  }
  // Split screen, one pad: player 1 keeps the keyboard, player 2 takes the pad.
  TRaceKeys keys = PadsOnly(TRaceKind::kSplitScreen, PadsHolding(1));
  EXPECT_TRUE(NoKeys(keys.arrows));
  EXPECT_TRUE(keys.letters.thrust);
  // Two pads: one each, in the order they were connected.
  keys = PadsOnly(TRaceKind::kSplitScreen, PadsHolding(2));
  EXPECT_TRUE(keys.arrows.thrust && !keys.arrows.left);
  EXPECT_TRUE(keys.letters.left && !keys.letters.thrust);
  EXPECT_EQ(RacePadOf(TRaceKind::kSplitScreen, 1, 3), 0);
  EXPECT_EQ(RacePadOf(TRaceKind::kSplitScreen, 2, 3), 1);
  EXPECT_EQ(RacePadOf(TRaceKind::kSplitScreen, 2, 0), -1);
  EXPECT_EQ(RacePadOf(TRaceKind::kTimeAttack, 2, 2), -1);
}

namespace {

// Connected pads with the given ids, in the order they were plugged in.
TPads PadsWithIds(std::initializer_list<int> ids) {
  TPads pads;
  for (int id : ids) {
    wnd::TPadState pad;
    pad.connected = true;
    pad.id = id;
    pads.push_back(pad);
  }
  return pads;
}

using TSeats = std::array<int, 2>;

}  // namespace

// Pads are numbered in the order they were plugged in, so the numbers move when one is
// pulled out; through a race each pad stays with its player, and a pad plugged in goes
// to the player without one.
TEST(PadSeats, APadStaysWithItsPlayerUntilPulledOutAndANewPadGoesToThePlayerWithout) {
  TPadSeats split;
  EXPECT_EQ(split.Seat(TRaceKind::kSplitScreen, PadsWithIds({7, 9})), (TSeats{0, 1}));
  // Player 2's pad pulled out: player 1 keeps its own, player 2 flies with the keyboard.
  EXPECT_EQ(split.Seat(TRaceKind::kSplitScreen, PadsWithIds({7})), (TSeats{0, -1}));
  EXPECT_EQ(split.Seat(TRaceKind::kSplitScreen, PadsWithIds({7, 11})), (TSeats{0, 1}));
  // Player 1's pad pulled out: player 2's, now the first, stays player 2's.
  EXPECT_EQ(split.Seat(TRaceKind::kSplitScreen, PadsWithIds({11})), (TSeats{-1, 0}));
  EXPECT_EQ(split.Seat(TRaceKind::kSplitScreen, PadsWithIds({11, 12})), (TSeats{1, 0}));
  // A pad already gone but not yet reported so holds nothing and frees its seat.
  TPads going = PadsWithIds({11, 12});
  going[1].connected = false;
  EXPECT_EQ(split.Seat(TRaceKind::kSplitScreen, going), (TSeats{-1, 0}));

  // One pad at the start goes to player 2; a second goes to player 1, who has none.
  TPadSeats onePad;
  EXPECT_EQ(onePad.Seat(TRaceKind::kSplitScreen, PadsWithIds({3})), (TSeats{-1, 0}));
  EXPECT_EQ(onePad.Seat(TRaceKind::kSplitScreen, PadsWithIds({3, 4})), (TSeats{1, 0}));
  EXPECT_EQ(onePad.Seat(TRaceKind::kSplitScreen, PadsWithIds({})), (TSeats{-1, -1}));

  // Alone on the course the pilot takes the first pad, and another when it goes.
  TPadSeats alone;
  EXPECT_EQ(alone.Seat(TRaceKind::kTimeAttack, PadsWithIds({5, 6})), (TSeats{0, -1}));
  EXPECT_EQ(alone.Seat(TRaceKind::kTimeAttack, PadsWithIds({6})), (TSeats{0, -1}));
  EXPECT_EQ(alone.Seat(TRaceKind::kNetwork, PadsWithIds({6, 8})), (TSeats{0, -1}));

  // Pads from a source that gives no ids keep to their places.
  TPadSeats places;
  EXPECT_EQ(places.Seat(TRaceKind::kSplitScreen, PadsWithIds({-1, -1})), (TSeats{0, 1}));
  EXPECT_EQ(places.Seat(TRaceKind::kSplitScreen, PadsWithIds({-1})), (TSeats{0, -1}));
}

// The keys follow the seats: player 2's pad pulled out leaves player 1 flying with its own.
TEST(PadSeats, ThePadsOfTheSeatsFlyTheirPlayers) {
  TPads pads = PadsWithIds({7, 9});
  pads[0].south = true;
  pads[1].dpadLeft = true;
  TRaceKeys keys = ReadRaceKeys(TControls{}, [](int) { return false; }, pads, {1, 0}, false);
  EXPECT_TRUE(keys.arrows.left && !keys.arrows.thrust);
  EXPECT_TRUE(keys.letters.thrust && !keys.letters.left);
  keys = ReadRaceKeys(TControls{}, [](int) { return false; }, pads, {-1, 5}, false);  // out of range: none
  EXPECT_TRUE(NoKeys(keys.arrows) && NoKeys(keys.letters));
}

TEST(RaceKeys, KeyboardAndPadFlyTogetherWithEachPlayersPitchAndTheDeadZoneOfTheSettings) {
  TControls controls;
  controls.invertPitch[1] = true;
  controls.deadZone = 0.5;
  TPads pads = PadsHolding(2);
  pads[0].south = false;
  pads[0].leftY = -0.45;  // forward, inside this dead zone
  pads[1].dpadLeft = false;
  pads[1].leftY = -0.55;  // forward, past it
  std::set<int> held = {wnd::KEY_SPACE, 'W'};
  const auto isDown = [&held](int code) { return held.count(code) > 0; };
  TRaceKeys keys = ReadRaceKeys(TRaceKind::kSplitScreen, controls, isDown, pads, false);
  EXPECT_TRUE(keys.arrows.thrust);  // the keyboard's space
  EXPECT_FALSE(keys.arrows.noseDown || keys.arrows.noseUp);
  // Player 2's pitch is inverted on the keyboard and on the pad alike.
  EXPECT_TRUE(keys.letters.noseUp);
  EXPECT_FALSE(keys.letters.noseDown);
  held = {};
  keys = ReadRaceKeys(TRaceKind::kSplitScreen, controls, isDown, pads, false);
  EXPECT_TRUE(keys.letters.noseUp);
  EXPECT_TRUE(NoKeys(keys.arrows));
  pads[0].leftY = -0.6;
  keys = ReadRaceKeys(TRaceKind::kSplitScreen, controls, isDown, pads, false);
  EXPECT_TRUE(keys.arrows.noseDown);  // player 1 is not inverted
}

TEST(RaceKeys, AFlyingPadsStartHeldIsEscapeHeldAndAPadPulledOutHoldsNothing) {
  TPads pads = PadsHolding(1);
  pads[0].start = true;
  EXPECT_TRUE(PadsOnly(TRaceKind::kNetwork, pads).escapeHeld);
  EXPECT_FALSE(PadsOnly(TRaceKind::kNetwork, {}).escapeHeld);
  pads[0].connected = false;  // as a source reports a pad gone within the frame
  const TRaceKeys keys = PadsOnly(TRaceKind::kTimeAttack, pads);
  EXPECT_FALSE(keys.escapeHeld);
  EXPECT_TRUE(NoKeys(keys.arrows));
}

namespace {

// Points HOME and the XDG folders at a test's own folder while it runs, and leaves the
// settings in use and their file as they were.
class TSettingsSandbox {
 public:
  TSettingsSandbox() : saved_(CurrentSettings()) {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* value = std::getenv(name);
      environment_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
      setenv(name, (folder_ / "home").c_str(), 1);
    }
  }
  ~TSettingsSandbox() {
    SetSettingsFile("");
    CurrentSettings() = saved_;
    for (const auto& [name, value] : environment_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  std::string File() const { return folder_ / "home/velmora/settings.ini"; }

 private:
  TFixtureFolder folder_;
  TSettings saved_;
  std::vector<std::pair<std::string, std::optional<std::string>>> environment_;
};

// A time attack flown by holding `held`, read the way the game reads it: the settings in
// use and the pads connected (none in these tests).
int RingsCaughtHolding(std::set<int> held, double* speedAfterASecond = nullptr) {
  TRaceCore race(StraightCourse(TRaceKind::kTimeAttack, 10));
  TRaceDriver driver{race};
  TPadSeats seats;
  driver.keys = [held, &seats](int) {
    return ReadRaceKeys(seats, TRaceKind::kTimeAttack, [&held](int code) { return held.count(code) > 0; }, false);
  };
  race.Start(driver.now);
  while (race.Running() && driver.frames < 60) driver.Frame();
  if (speedAfterASecond) *speedAfterASecond = race.Speed(1);
  driver.RunToEnd();
  return race.CaughtCount();
}

}  // namespace

TEST(RaceKeys, ThrustReboundToALetterFliesTheRaceAndIsKeptAcrossARestart) {
  TSettingsSandbox sandbox;
  CurrentSettings() = TSettings{};
  ASSERT_TRUE(Rebind(CurrentSettings().controls, 1, TAction::Thrust, 'T').kept);
  double speed = 0.0;
  EXPECT_EQ(RingsCaughtHolding({'T'}, &speed), 3);
  EXPECT_GT(speed, kRestSpeed);
  EXPECT_EQ(RingsCaughtHolding({wnd::KEY_SPACE}, &speed), 0);  // space thrusts no more
  EXPECT_EQ(speed, kRestSpeed);

  // The game stores the choice; the next run reads the file before its first race.
  SetSettingsFile(sandbox.File());
  ASSERT_TRUE(StoreSettings());
  CurrentSettings() = TSettings{};
  LoadCurrentSettings();
  EXPECT_EQ(CurrentSettings().controls.keys[0].thrust, 'T');
  EXPECT_EQ(RingsCaughtHolding({'T'}), 3);
  EXPECT_EQ(RingsCaughtHolding({wnd::KEY_SPACE}), 0);
}

TEST(RaceKeys, ASettingsFileNamingAnUnknownKeyLeavesThatActionOnItsDefaultWithAConsoleLine) {
  TSettingsSandbox sandbox;
  std::filesystem::create_directories(std::filesystem::path(sandbox.File()).parent_path());
  std::ofstream(sandbox.File()) << "p1_thrust = BANANA\np1_left = Q\np2_invert_pitch = yes\n";
  SetSettingsFile(sandbox.File());
  testing::internal::CaptureStderr();
  LoadCurrentSettings();
  const std::string console = testing::internal::GetCapturedStderr();
  EXPECT_EQ(CurrentSettings().controls.keys[0].thrust, wnd::KEY_SPACE);
  EXPECT_EQ(CurrentSettings().controls.keys[0].left, 'Q');  // the other lines still count
  EXPECT_TRUE(CurrentSettings().controls.invertPitch[1]);
  EXPECT_NE(console.find("settings.ini:1:"), std::string::npos) << console;
  EXPECT_NE(console.find("BANANA"), std::string::npos) << console;
  EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1) << console;
  // The race flies with what was read: space still thrusts.
  EXPECT_EQ(RingsCaughtHolding({wnd::KEY_SPACE}), 3);
}
