// The relay's bookkeeping, free of sockets: who is player 1 and player 2, the last
// record of each, and which datagrams are refused. A player is known by the address its
// datagrams come from. Players send number 0 until the relay knows them (the game always
// does); a record with any other number than its sender's own slot is one of the relay's
// own records sent back to it, by an echo service for instance, and passing it on would
// feed an exchange that never ends.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/PersoRecord.h"
#include "net/RateLimiter.h"

struct TRelayVerdict {
  TDatagramFault fault = TDatagramFault::kNone;
  int sender = 0;           // the sender's player number; 0 when the datagram was refused
  bool newPlayer = false;   // the sender took a free (or abandoned) slot
  int other = 0;            // when not 0, the two records cross: the sender's goes to this
                            // player and this player's goes back to the sender; 0 while
                            // the other player has been silent kAbandonMs
};

class TRelayRegistry {
 public:
  // A player silent this long gives up its slot to a newcomer (a joiner who restarted).
  static constexpr std::int64_t kAbandonMs = 5000;

  explicit TRelayRegistry(TRateLimits limits = {});

  // One received datagram from `source` (any stable text naming the address) at nowMs.
  // Every datagram counts against its address's rate, refused ones too.
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
  int NextSlot(std::int64_t nowMs) const;
  int Register(const std::string& source, std::int64_t nowMs);
  int AbandonedSlot(std::int64_t nowMs) const;
  bool Listening(int number, std::int64_t nowMs) const;
  TRelayVerdict Refuse(TDatagramFault fault);

  TPersoList players_;
  int count_ = 0;
  std::array<std::string, 2> addresses_;
  std::array<std::int64_t, 2> lastHeard_{};
  TRateLimiter rate_;
  std::array<long, static_cast<std::size_t>(TDatagramFault::kOverRate) + 1> dropped_{};
};
