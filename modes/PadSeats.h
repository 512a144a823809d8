// Which connected pad flies which player, kept through a race.
#pragma once

#include <array>
#include <vector>

#include "modes/RaceCore.h"
#include "platform/Gamepads.h"

// At the start of a race the pads are shared as RacePadOf says. After that a pad stays
// with its player until it is pulled out, and a pad plugged in goes to a player who has
// none: pads are numbered in the order they were plugged in, so without this the pad of
// the split screen's first player would pass to the second when the second's is pulled
// out, and back when it is plugged in again.
class TPadSeats {
 public:
  // Seats this frame's pads (in connection order); for players 1 and 2, the index in
  // `pads` of the pad each flies with, or -1.
  std::array<int, 2> Seat(TRaceKind kind, const std::vector<wnd::TPadState>& pads);

 private:
  static constexpr int kEmpty = -1;
  void FillEmptySeats(TRaceKind kind, const std::vector<int>& unseated);

  std::array<int, 2> ids_{kEmpty, kEmpty};  // the pad of each seat, by its id
};
