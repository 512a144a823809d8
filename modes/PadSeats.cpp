#include "modes/PadSeats.h"

#include <algorithm>

namespace {

// A pad's identity through the race: its id, or, from a source that gives none, its place.
int IdentityOf(const std::vector<wnd::TPadState>& pads, int index) {
  constexpr int kPlaceIds = 1 << 30;
  const int id = pads[static_cast<std::size_t>(index)].id;
  return id >= 0 ? id : kPlaceIds + index;
}

bool Connected(const std::vector<wnd::TPadState>& pads, int index) {
  return pads[static_cast<std::size_t>(index)].connected;
}

int IndexOf(const std::vector<wnd::TPadState>& pads, int identity) {
  for (int i = 0; i < static_cast<int>(pads.size()); ++i) {
    if (Connected(pads, i) && IdentityOf(pads, i) == identity) return i;
  }
  return -1;
}

}  // namespace

std::array<int, 2> TPadSeats::Seat(TRaceKind kind, const std::vector<wnd::TPadState>& pads) {
  for (int& id : ids_) {
    if (id != kEmpty && IndexOf(pads, id) < 0) id = kEmpty;  // pulled out: its player flies with keys
  }
  std::vector<int> unseated;
  for (int i = 0; i < static_cast<int>(pads.size()); ++i) {
    const int identity = IdentityOf(pads, i);
    if (Connected(pads, i) && std::find(ids_.begin(), ids_.end(), identity) == ids_.end()) unseated.push_back(identity);
  }
  if (!unseated.empty()) FillEmptySeats(kind, unseated);
  return {ids_[0] == kEmpty ? -1 : IndexOf(pads, ids_[0]), ids_[1] == kEmpty ? -1 : IndexOf(pads, ids_[1])};
}

// With both seats empty the pads are shared as at the start of a race; a single empty seat
// takes the first pad nobody holds.
void TPadSeats::FillEmptySeats(TRaceKind kind, const std::vector<int>& unseated) {
  const int count = static_cast<int>(unseated.size());
  if (ids_[0] == kEmpty && ids_[1] == kEmpty) {
    for (int player : {1, 2}) {
      const int pad = RacePadOf(kind, player, count);
      if (pad >= 0) ids_[static_cast<std::size_t>(player - 1)] = unseated[static_cast<std::size_t>(pad)];
    }
    return;
  }
  const int empty = ids_[0] == kEmpty ? 0 : 1;
  if (RacePadOf(kind, empty + 1, 2) >= 0) ids_[static_cast<std::size_t>(empty)] = unseated.front();
}
