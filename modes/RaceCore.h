// One race without a display: the crafts' flight, the clock, the course and its caught
// count, the pause overlay's open or closed state, and the result. A frame is input in,
// events out: the keys, the time and the overlay's choice are handed in, the views to
// draw and what changed come back, so whole races run in tests with no window, no GL and
// no sound. The time attack (also each season of the story) and the split screen run on
// it directly; the network race runs on it through TNetRaceCore and a link.
//
// A frame has two halves, as the game draws it: StartFrame before the world is drawn (is
// this the last frame, Escape, the flight, the rings) and FinishFrame after the overlay
// was drawn over it (the overlay's choice, or the clock).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "assets/Utype.h"
#include "modes/NetRaceCore.h"
#include "modes/RaceRules.h"
#include "net/NetLink.h"
#include "net/PersoRecord.h"
#include "world/Controls.h"
#include "world/CourseGen.h"
#include "world/Physics.h"

// Where every race begins: the player point of the track files and the start of player 1,
// and player 2 beside it.
inline const T_point kFirstStart{0.0, 200.0, 0.0};
inline const T_point kSecondStart{20.0, 200.0, 0.0};

enum class TRaceKind {
  kTimeAttack,   // one craft; the ring test takes the craft's point lowered by 5
  kSplitScreen,  // two crafts on one keyboard; each tests the rings at its own point
  kNetwork,      // this machine's craft; the other comes over the link
};

// The keys a race reads in one frame: each player's keys as the settings have them, with
// the pad that player flies with (see RacePadOf) added. Which set flies which craft is the
// race's rule: player 1 of the split screen and every network pilot fly with `arrows`.
struct TRaceKeys {
  TPlayerKeys arrows;           // player 1 (the arrows and space unless rebound) and its pad
  TPlayerKeys letters;          // player 2 (A, D, W, S and F unless rebound) and its pad
  bool escapePressed = false;   // Escape or a pad's Start pressed since the last frame: opens the overlay
  bool escapeHeld = false;      // Escape or a flying pad's Start down: leaves a network race still waiting
};

// The pad (an index in connection order) that flies `player` in a race of `kind`, or -1.
// Player 1 takes the first pad beside the keyboard; in the split screen player 2 takes the
// second, or the only one while player 1 keeps the keyboard.
int RacePadOf(TRaceKind kind, int player, int padCount);

// Reads both players' keys through `isDown(code)` with the keys and inverted pitch of
// `controls`, each with its pad of `pads` (`padOf`, an index for players 1 and 2, or -1)
// past the dead zone.
TRaceKeys ReadRaceKeys(const TControls& controls, const std::function<bool(int)>& isDown,
                       const std::vector<wnd::TPadState>& pads, std::array<int, 2> padOf, bool escapePressed);
// The same with the pads shared as at the start of a race of `kind`.
TRaceKeys ReadRaceKeys(TRaceKind kind, const TControls& controls, const std::function<bool(int)>& isDown,
                       const std::vector<wnd::TPadState>& pads, bool escapePressed);
// The same with the settings in use and the pads connected now, each kept by its player
// through the race in `seats`.
class TPadSeats;
TRaceKeys ReadRaceKeys(TPadSeats& seats, TRaceKind kind, const std::function<bool(int)>& isDown,
                       bool escapePressed);

struct TRaceInput {
  TRaceKeys keys;
  std::uint32_t now = 0;  // tick count in milliseconds
};

// What the open overlay's buttons said this frame.
enum class TOverlayChoice { kNone, kBackToRace, kLeaveRace };
// "RETURN GAME" and "MENU RETURN", the overlay's words; anything else chose nothing.
TOverlayChoice OverlayChoiceOf(const std::string& overlayResult);

// How a race stands. The shell's words for the ends are "MENUW", "MENUL" and
// "MENU RETURN" followed by the letter (see ResultText).
enum class TRaceOutcome {
  kRunning,
  kWon,   // every ring passed
  kLost,  // the clock ran out (or the network race could not be raced)
  kLeft,  // left through the overlay, or a network race left while waiting
};

struct TRaceSetup {
  TRaceKind kind = TRaceKind::kTimeAttack;
  t_rain terrain;
  TRing_tab rings;
  int initialTime = 10;
  int baseScore = 0;
  T_point firstStart = kFirstStart;
  T_point secondStart = kSecondStart;
  int playerNumber = 1;  // the network race: 1 on the host, 2 on the joiner
};

// One player's part of a frame, in the order the game draws it.
struct TPlayerPass {
  TViewTransform view;   // applied before this player's world is drawn
  T_point ringPoint;     // the point the rings were tested against (the compass's player)
  int caughtCount = 0;   // the caught count once this player's rings were tested
  TCraftState other;     // the other craft as it stood when this pass was made
};

struct TRaceEvents {
  TPlayerPass passes[2];     // index 0: player 1 (the network race: this machine's craft)
  bool lastFrame = false;    // the race ended by itself: this frame is completed, then it ends
  bool overlayOpened = false;
  bool overlayClosed = false;
  bool secondCounted = false;
  bool over = false;         // after FinishFrame: no frame follows this one
  TNetFrameEvents net;       // the network race's own events
};

class TRaceCore {
 public:
  // The time attack or the split screen.
  explicit TRaceCore(TRaceSetup setup);
  // The network race over `link`, which must outlive the race.
  TRaceCore(TRaceSetup setup, INetLink& link);
  ~TRaceCore();
  TRaceCore(const TRaceCore&) = delete;
  TRaceCore& operator=(const TRaceCore&) = delete;

  // The clock starts at the time allowed (the network race starts its own after the
  // countdown).
  void Start(std::uint32_t now);
  TRaceEvents StartFrame(const TRaceInput& input);
  // `now` is the tick count at the end of the frame.
  TRaceEvents FinishFrame(TOverlayChoice choice, std::uint32_t now);

  TRaceKind Kind() const { return kind_; }
  bool Running() const;
  bool OverlayOpen() const { return overlayOpen_; }
  int TimeLeft() const;
  int InitialTime() const { return initialTime_; }
  int CaughtCount() const;
  int RingCount() const { return static_cast<int>(rings_.size()); }
  const TRing_tab& Rings() const;
  const t_rain& Terrain() const { return terrain_; }
  bool Won() const { return RaceWon(RingCount(), CaughtCount()); }
  TRaceOutcome Outcome() const;
  bool LeftThroughOverlay() const { return left_; }
  // The time attack's score: rings, the score carried in, and the time bonus unless the
  // pilot left.
  int Score() const;
  int BaseScore() const { return baseScore_; }
  // "MENUW", "MENUL", or "MENU RETURN" and the letter, as the shell and the story read it.
  std::string ResultText() const;

  // The crafts, players 1 and 2, in the physics' convention.
  T_point Position(int player) const { return Craft(player).position; }
  T_point Rotation(int player) const { return Craft(player).rotation; }
  double Speed(int player) const { return Craft(player).speed; }
  const TCraftState& Craft(int player) const;
  // The split screen's records of both players (position, rotation, caught count x 10).
  const TPerso& Record(int player) const { return records_[player == 2 ? 1 : 0]; }
  // The network race's rules, or nullptr in the other races.
  const TNetRaceCore* Network() const { return net_.get(); }

 private:
  void NameRecords();
  TPlayerPass Fly(int player, const TPlayerKeys& keys);
  TRaceEvents NetworkFrame(const TRaceInput& input);
  void FinishNetworkFrame(TRaceEvents& events) const;

  TRaceKind kind_;
  t_rain terrain_;
  TRing_tab rings_;
  int initialTime_;
  int baseScore_;
  TPhysicsState physics_;
  TRaceClock clock_;
  int caught_ = 0;
  bool overlayOpen_ = false;
  bool finishing_ = false;
  bool left_ = false;
  bool over_ = false;
  TPerso records_[2];
  std::unique_ptr<TNetRaceCore> net_;
};
