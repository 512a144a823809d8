#include "modes/NetRaceCore.h"

#include <algorithm>

#include "assets/Lgeometry.h"
#include "world/Course.h"

namespace {

// A claimed ring is believed when the claimant is this near it: the pass radius plus
// ten frames at top speed, for a record that arrived a little late.
double ClaimReach(double cellSize) { return PassRadius(cellSize) + 10.0 * (kThrustLimit + 1.0); }

T_point RingPointOf(const T_point& position) {
  return {-position.x, -position.y - 5.0, -position.z};
}

}  // namespace

TNetRaceCore::TNetRaceCore(TNetRaceSetup setup, INetLink& link)
    : me_(setup.playerNumber == 2 ? 2 : 1),
      terrain_(std::move(setup.terrain)),
      rings_(std::move(setup.rings)),
      initialTime_(setup.initialTime),
      link_(link),
      physics_(StartPhysics(setup.firstStart, setup.secondStart)) {
  ClearCaught(rings_);
  clock_.timeLeft = initialTime_;  // shown while waiting; it starts after the countdown
  own_.number = me_;
  own_.name = me_ == 1 ? "player1" : "player2";
  own_.playerCount = 2;
  other_.name = me_ == 1 ? "player2" : "player1";
  other_.playerCount = 2;
  bounds_.ringCount = RingCount();
  bounds_.halfWidth = terrain_.Cols() * terrain_.cellSize / 2.0;
  bounds_.halfDepth = terrain_.Rows() * terrain_.cellSize / 2.0;
  const TCraftState& craft = OwnCraft();
  own_.position = craft.position;
  own_.rotation = craft.rotation;
}

bool TNetRaceCore::Running() const {
  return phase_ == TNetRacePhase::kWaiting || phase_ == TNetRacePhase::kCountdown ||
         phase_ == TNetRacePhase::kRacing;
}

int TNetRaceCore::CountdownDigit(std::uint32_t now) const {
  if (phase_ != TNetRacePhase::kCountdown) return 0;
  const std::uint32_t elapsed = now - countdownStart_;
  if (elapsed >= kCountdownMs) return 1;
  return static_cast<int>((kCountdownMs - elapsed + 999) / 1000);
}

T_point TNetRaceCore::OwnPoint() const { return RingPointOf(OwnCraft().position); }

TNetFrameEvents TNetRaceCore::Frame(const TNetFrameInput& input) {
  TNetFrameEvents events;
  switch (phase_) {
    case TNetRacePhase::kWaiting: Wait(input, events); break;
    case TNetRacePhase::kCountdown: Count(input, events); break;
    case TNetRacePhase::kRacing: Race(input, events); break;
    default: Fly({}, true, events); break;
  }
  return events;
}

// Alone, the game keeps sending its record: the relay registers it, and answers only
// once the other player is there too, with a record that says two players.
void TNetRaceCore::Wait(const TNetFrameInput& input, TNetFrameEvents& events) {
  Fly({}, true, events);
  ExchangeRecords(events);
  if (input.leave) {
    phase_ = TNetRacePhase::kLeft;
  } else if (link_.RegisteredPlayers() >= 2) {
    phase_ = TNetRacePhase::kCountdown;
    countdownStart_ = input.now;
    events.linked = true;
  } else {
    failure_ = link_.Failure();
    if (!failure_.empty()) phase_ = TNetRacePhase::kFailed;
  }
}

// Both machines learn of the link within a frame or two of each other and count the
// same three seconds, so their clocks start together.
void TNetRaceCore::Count(const TNetFrameInput& input, TNetFrameEvents& events) {
  Fly({}, true, events);
  ExchangeRecords(events);
  if (input.now - countdownStart_ >= kCountdownMs) {
    phase_ = TNetRacePhase::kRacing;
    clock_.Start(initialTime_, input.now);
    events.started = true;
  }
}

void TNetRaceCore::Race(const TNetFrameInput& input, TNetFrameEvents& events) {
  events.secondCounted = clock_.Tick(input.now);
  Fly(input.keys, false, events);
  caught_ = UpdateCaught(rings_, caught_, OwnPoint(), terrain_.cellSize);
  ExchangeRecords(events);
  if (!RaceRunning(clock_.timeLeft, RingCount(), caught_)) phase_ = TNetRacePhase::kOver;
}

void TNetRaceCore::Fly(const TPlayerKeys& keys, bool pause, TNetFrameEvents& events) {
  events.view = UpdateCraft(physics_, me_ - 1, keys, pause, terrain_);
}

// Sends this machine's craft and takes the other's. A ring either player caught counts
// on both machines, but a record is only believed so far: it must be plausible, it moves
// the count by one ring at most, and its craft must be near a ring it claims.
void TNetRaceCore::ExchangeRecords(TNetFrameEvents& events) {
  const TCraftState& craft = OwnCraft();
  own_.position = craft.position;
  own_.rotation = craft.rotation;
  own_.score = caught_ * 10;
  const TPerso received = link_.Exchange(own_);
  const long count = link_.Received();
  const bool fresh = count != lastReceived_;
  lastReceived_ = count;
  if (!fresh || !link_.HeardFromOther()) return;
  if (!PlausibleRecord(received, bounds_)) {
    ++dropped_;
    events.recordDropped = true;
    return;
  }
  const std::string name = other_.name;
  const int players = other_.playerCount;
  other_ = received;
  other_.name = name;
  other_.playerCount = players;
  if (phase_ == TNetRacePhase::kRacing && OtherNearClaimedRing(received)) {
    caught_ = AdvanceCaughtCount(caught_, received, RingCount());
    for (int i = 0; i < caught_; ++i) rings_[static_cast<std::size_t>(i)].caught = true;
  }
}

bool TNetRaceCore::OtherNearClaimedRing(const TPerso& other) const {
  const int claimed = CaughtCountOf(other, RingCount());
  const T_point point = RingPointOf(other.position);
  const double reach = ClaimReach(terrain_.cellSize);
  for (int i = caught_; i < claimed; ++i) {
    if (Distance(point, rings_[static_cast<std::size_t>(i)].origin) < reach) return true;
  }
  return false;
}
