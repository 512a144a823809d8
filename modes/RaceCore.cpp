#include "modes/RaceCore.h"

#include "modes/PadSeats.h"
#include "platform/Gamepads.h"
#include "platform/Window.h"
#include "saves/SettingsStore.h"
#include "world/Course.h"

int RacePadOf(TRaceKind kind, int player, int padCount) {
  if (kind != TRaceKind::kSplitScreen) return player == 1 && padCount > 0 ? 0 : -1;
  if (padCount >= 2) return player - 1;
  return player == 2 && padCount == 1 ? 0 : -1;
}

TRaceKeys ReadRaceKeys(const TControls& controls, const std::function<bool(int)>& isDown,
                       const std::vector<wnd::TPadState>& pads, std::array<int, 2> padOf, bool escapePressed) {
  TRaceKeys keys;
  keys.escapePressed = escapePressed;
  keys.escapeHeld = isDown(wnd::KEY_ESC);
  for (int player : {1, 2}) {
    TPlayerKeys held = ReadControls(controls, player, isDown);
    const int pad = padOf[static_cast<std::size_t>(player - 1)];
    if (pad >= 0 && pad < static_cast<int>(pads.size())) {
      held = EitherKeys(held, PadKeys(pads[pad], controls.deadZone, controls.invertPitch[player - 1]));
      keys.escapeHeld = keys.escapeHeld || (pads[pad].connected && pads[pad].start);
    }
    (player == 1 ? keys.arrows : keys.letters) = held;
  }
  return keys;
}

TRaceKeys ReadRaceKeys(TRaceKind kind, const TControls& controls, const std::function<bool(int)>& isDown,
                       const std::vector<wnd::TPadState>& pads, bool escapePressed) {
  TPadSeats fresh;
  return ReadRaceKeys(controls, isDown, pads, fresh.Seat(kind, pads), escapePressed);
}

TRaceKeys ReadRaceKeys(TPadSeats& seats, TRaceKind kind, const std::function<bool(int)>& isDown,
                       bool escapePressed) {
  wnd::TGamepadSource& source = wnd::Gamepads();
  std::vector<wnd::TPadState> pads;
  for (int i = 0; i < source.Count(); ++i) pads.push_back(source.State(i));
  return ReadRaceKeys(CurrentSettings().controls, isDown, pads, seats.Seat(kind, pads), escapePressed);
}

TOverlayChoice OverlayChoiceOf(const std::string& overlayResult) {
  if (overlayResult == "RETURN GAME") return TOverlayChoice::kBackToRace;
  if (overlayResult == "MENU RETURN") return TOverlayChoice::kLeaveRace;
  return TOverlayChoice::kNone;
}

TRaceCore::TRaceCore(TRaceSetup setup)
    : kind_(setup.kind == TRaceKind::kSplitScreen ? TRaceKind::kSplitScreen
                                                  : TRaceKind::kTimeAttack),
      terrain_(std::move(setup.terrain)),
      rings_(std::move(setup.rings)),
      initialTime_(setup.initialTime),
      baseScore_(setup.baseScore),
      physics_(kind_ == TRaceKind::kSplitScreen ? StartPhysics(setup.firstStart, setup.secondStart)
                                                : StartPhysics(setup.firstStart)) {
  ClearCaught(rings_);
  clock_.timeLeft = initialTime_;
  NameRecords();
}

void TRaceCore::NameRecords() {
  for (int i = 0; i < 2; ++i) {
    records_[i].name = i == 0 ? "player1" : "player2";
    records_[i].playerCount = 2;
  }
}

TRaceCore::TRaceCore(TRaceSetup setup, INetLink& link)
    : kind_(TRaceKind::kNetwork),
      terrain_(setup.terrain),
      rings_(setup.rings),
      initialTime_(setup.initialTime),
      baseScore_(0) {
  TNetRaceSetup net{setup.playerNumber, setup.firstStart, setup.secondStart,
                    std::move(setup.terrain), std::move(setup.rings), setup.initialTime};
  net_ = std::make_unique<TNetRaceCore>(std::move(net), link);
  NameRecords();
}

TRaceCore::~TRaceCore() = default;

void TRaceCore::Start(std::uint32_t now) { clock_.Start(initialTime_, now); }

bool TRaceCore::Running() const { return net_ ? net_->Running() : !over_; }

int TRaceCore::TimeLeft() const { return net_ ? net_->TimeLeft() : clock_.timeLeft; }

int TRaceCore::CaughtCount() const { return net_ ? net_->CaughtCount() : caught_; }

const TRing_tab& TRaceCore::Rings() const { return net_ ? net_->Rings() : rings_; }

int TRaceCore::Score() const { return RaceScore(CaughtCount(), baseScore_, TimeLeft(), left_); }

TRaceOutcome TRaceCore::Outcome() const {
  if (Running()) return TRaceOutcome::kRunning;
  if (left_ || (net_ && net_->Phase() == TNetRacePhase::kLeft)) return TRaceOutcome::kLeft;
  if (net_ && net_->Phase() != TNetRacePhase::kOver) return TRaceOutcome::kLost;
  return Won() ? TRaceOutcome::kWon : TRaceOutcome::kLost;
}

std::string TRaceCore::ResultText() const {
  return RaceResult(left_ ? "MENU RETURN" : "MENU", Won());
}

const TCraftState& TRaceCore::Craft(int player) const {
  const TPhysicsState& state = net_ ? net_->Physics() : physics_;
  return state.players[player == 2 ? 1 : 0];
}

// The race is over once a frame began with the clock run out or every ring passed; that
// frame is still flown and drawn in full. While the overlay is open the crafts fly on as
// they were carried, but answer no keys: the arrows and Enter then work the overlay, and
// moving its focus must not steer the craft.
TRaceEvents TRaceCore::StartFrame(const TRaceInput& input) {
  if (net_) return NetworkFrame(input);
  TRaceEvents events;
  finishing_ = !RaceRunning(clock_.timeLeft, RingCount(), caught_);
  events.lastFrame = finishing_;
  if (!overlayOpen_ && input.keys.escapePressed) {
    overlayOpen_ = true;
    events.overlayOpened = true;
  }
  events.passes[0] = Fly(1, input.keys.arrows);
  if (kind_ == TRaceKind::kSplitScreen) {
    // Player 1's half is drawn before player 2 moves, player 2's after player 1 has.
    events.passes[0].other = physics_.players[1];
    events.passes[1] = Fly(2, input.keys.letters);
    events.passes[1].other = physics_.players[0];
  }
  return events;
}

// The rings are tested at the point the craft stood at before this frame's move.
TPlayerPass TRaceCore::Fly(int player, const TPlayerKeys& keys) {
  const TCraftState& craft = physics_.players[player - 1];
  const double lowering = kind_ == TRaceKind::kTimeAttack ? 5.0 : 0.0;
  TPlayerPass pass;
  pass.ringPoint = {-craft.position.x, -craft.position.y - lowering, -craft.position.z};
  pass.view = UpdateCraft(physics_, player - 1, overlayOpen_ ? TPlayerKeys{} : keys, overlayOpen_, terrain_);
  caught_ = UpdateCaught(rings_, caught_, pass.ringPoint, terrain_.cellSize);
  pass.caughtCount = caught_;
  TPerso& record = records_[player - 1];
  record.position = craft.position;
  record.rotation = craft.rotation;
  record.score = caught_ * 10;
  return pass;
}

// The clock does not run while the overlay is open; closing it lets the next frame count
// a second at once if one is due.
TRaceEvents TRaceCore::FinishFrame(TOverlayChoice choice, std::uint32_t now) {
  TRaceEvents events;
  if (net_) {
    FinishNetworkFrame(events);
    return events;
  }
  if (overlayOpen_) {
    if (choice == TOverlayChoice::kLeaveRace) {
      left_ = true;
    } else if (choice == TOverlayChoice::kBackToRace) {
      overlayOpen_ = false;
      events.overlayClosed = true;
    }
  } else {
    events.secondCounted = clock_.Tick(now);
  }
  over_ = over_ || finishing_ || left_;
  events.over = over_;
  return events;
}

// Each machine's pilot flies its own craft with player 1's keys and the first pad, whatever
// its player number: there is one person at each keyboard. Escape leaves only while waiting.
TRaceEvents TRaceCore::NetworkFrame(const TRaceInput& input) {
  TNetFrameInput netInput;
  netInput.now = input.now;
  netInput.keys = input.keys.arrows;
  netInput.leave = net_->Phase() == TNetRacePhase::kWaiting && input.keys.escapeHeld;
  TRaceEvents events;
  events.net = net_->Frame(netInput);
  events.secondCounted = events.net.secondCounted;
  TPlayerPass& own = events.passes[0];
  own.view = events.net.view;
  own.ringPoint = net_->OwnPoint();
  own.caughtCount = net_->CaughtCount();
  own.other.position = net_->OtherRecord().position;
  own.other.rotation = net_->OtherRecord().rotation;
  events.lastFrame = !net_->Running();
  return events;
}

void TRaceCore::FinishNetworkFrame(TRaceEvents& events) const { events.over = !net_->Running(); }
