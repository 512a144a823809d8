// The rules of a network race for two, without a display: the wait for the other
// player, the countdown both machines start together, this machine's craft flown with
// its pilot's keys, the shared caught count, and the clock. Keys, time and the link are
// passed in, so a whole race runs in tests over a scripted link; the mode draws what
// this holds.
#pragma once

#include <cstdint>
#include <string>

#include "assets/Utype.h"
#include "modes/RaceRules.h"
#include "net/NetLink.h"
#include "net/PersoRecord.h"
#include "world/Physics.h"

enum class TNetRacePhase {
  kWaiting,    // alone: the notice shows, Escape leaves
  kCountdown,  // both linked: the count runs on both screens, nobody moves
  kRacing,
  kOver,       // the clock ran out or every ring is caught
  kLeft,       // the pilot left while waiting
  kFailed,     // the host cannot be reached (see Failure)
};

struct TNetRaceSetup {
  int playerNumber = 1;  // 1 on the host, 2 on the joiner
  T_point firstStart;
  T_point secondStart;
  t_rain terrain;
  TRing_tab rings;
  int initialTime = 10;
};

// One frame's input. Each machine's pilot flies with player 1's keys (and the first pad)
// whatever its player number: there is one person at each keyboard.
struct TNetFrameInput {
  TPlayerKeys keys;         // the pilot's keys, as the race read them
  bool leave = false;       // Escape (or the pad's Start) held while waiting
  std::uint32_t now = 0;    // tick count in milliseconds
};

// What happened in a frame, for the mode's console lines and drawing.
struct TNetFrameEvents {
  TViewTransform view;       // this machine's view, to apply before the world is drawn
  bool linked = false;       // both players registered: the countdown starts now
  bool started = false;      // the countdown ended: the clock starts now
  bool secondCounted = false;
  bool recordDropped = false;  // the other's record was implausible and ignored
};

inline constexpr std::uint32_t kCountdownMs = 3000;

class TNetRaceCore {
 public:
  TNetRaceCore(TNetRaceSetup setup, INetLink& link);

  TNetFrameEvents Frame(const TNetFrameInput& input);

  TNetRacePhase Phase() const { return phase_; }
  bool Running() const;
  int PlayerNumber() const { return me_; }
  int TimeLeft() const { return clock_.timeLeft; }
  // 3, 2, 1 during the countdown; 0 otherwise.
  int CountdownDigit(std::uint32_t now) const;
  int CaughtCount() const { return caught_; }
  int RingCount() const { return static_cast<int>(rings_.size()); }
  bool Won() const { return RaceWon(RingCount(), caught_); }
  const TRing_tab& Rings() const { return rings_; }
  const TPhysicsState& Physics() const { return physics_; }
  const TCraftState& OwnCraft() const { return physics_.players[me_ - 1]; }
  // The point the ring test uses: the craft's world position, 5 units lower.
  T_point OwnPoint() const;
  const TPerso& OwnRecord() const { return own_; }
  const TPerso& OtherRecord() const { return other_; }
  long DroppedRecords() const { return dropped_; }
  const std::string& Failure() const { return failure_; }

 private:
  void Wait(const TNetFrameInput& input, TNetFrameEvents& events);
  void Count(const TNetFrameInput& input, TNetFrameEvents& events);
  void Race(const TNetFrameInput& input, TNetFrameEvents& events);
  void Fly(const TPlayerKeys& keys, bool pause, TNetFrameEvents& events);
  void ExchangeRecords(TNetFrameEvents& events);
  bool OtherNearClaimedRing(const TPerso& other) const;

  int me_;
  t_rain terrain_;
  TRing_tab rings_;
  int initialTime_;
  INetLink& link_;
  TNetRacePhase phase_ = TNetRacePhase::kWaiting;
  TPhysicsState physics_;
  TRaceClock clock_;
  std::uint32_t countdownStart_ = 0;
  int caught_ = 0;
  TPerso own_;
  TPerso other_;
  TRecordBounds bounds_;
  long dropped_ = 0;
  long lastReceived_ = 0;
  std::string failure_;
};
