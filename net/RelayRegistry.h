// The relay's bookkeeping, free of sockets: who is player 1 and player 2, the last
// record of each, and which datagrams are refused. A player is known by the address its
// datagrams come from, not by the number it writes, so a record that carries a stale or
// borrowed number still lands in its sender's slot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/PersoRecord.h"

struct TRelayVerdict {
  TDatagramFault fault = TDatagramFault::kNone;
  int sender = 0;           // the sender's player number; 0 when the datagram was refused
  bool newPlayer = false;   // the sender took a free (or abandoned) slot
  int other = 0;            // when not 0, the two records cross: the sender's goes to this
                            // player and this player's goes back to the sender
};

class TRelayRegistry {
 public:
  // A player silent this long gives up its slot to a newcomer (a joiner who restarted).
  static constexpr std::int64_t kAbandonMs = 5000;

  // One received datagram from `source` (any stable text naming the address) at nowMs.
  TRelayVerdict Receive(const std::uint8_t* data, std::size_t size, const std::string& source,
                        std::int64_t nowMs);

  const TPersoList& Players() const { return players_; }
  int Count() const { return count_; }
  // The address of a registered player (1 or 2), empty when the slot is free.
  const std::string& AddressOf(int number) const;

  long Dropped() const;
  long Dropped(TDatagramFault fault) const;

 private:
  int SlotOf(const std::string& source) const;
  int Register(const std::string& source, std::int64_t nowMs);
  int AbandonedSlot(std::int64_t nowMs) const;
  TRelayVerdict Refuse(TDatagramFault fault);

  TPersoList players_;
  int count_ = 0;
  std::array<std::string, 2> addresses_;
  std::array<std::int64_t, 2> lastHeard_{};
  std::array<long, 5> dropped_{};
};
