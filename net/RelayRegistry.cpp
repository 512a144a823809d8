#include "net/RelayRegistry.h"

#include <numeric>

namespace {
const std::string kNoAddress;
}  // namespace

TRelayRegistry::TRelayRegistry(TRateLimits limits) : rate_(limits) {}

const std::string& TRelayRegistry::AddressOf(int number) const {
  if (number < 1 || number > count_) return kNoAddress;
  return addresses_[static_cast<std::size_t>(number - 1)];
}

long TRelayRegistry::Dropped() const {
  return std::accumulate(dropped_.begin(), dropped_.end(), 0L);
}

long TRelayRegistry::Dropped(TDatagramFault fault) const {
  return dropped_[static_cast<std::size_t>(fault)];
}

int TRelayRegistry::SlotOf(const std::string& source) const {
  for (int n = 1; n <= count_; ++n) {
    if (addresses_[static_cast<std::size_t>(n - 1)] == source) return n;
  }
  return 0;
}

int TRelayRegistry::AbandonedSlot(std::int64_t nowMs) const {
  for (int n = 1; n <= count_; ++n) {
    if (nowMs - lastHeard_[static_cast<std::size_t>(n - 1)] >= kAbandonMs) return n;
  }
  return 0;
}

// Records go only to a player still sending its own: one that only ever sent a single
// record (a stray or spoofed datagram) stops getting them after kAbandonMs.
bool TRelayRegistry::Listening(int number, std::int64_t nowMs) const {
  if (number < 1 || number > count_) return false;
  return nowMs - lastHeard_[static_cast<std::size_t>(number - 1)] < kAbandonMs;
}

// A new address takes the next free slot, or the slot of a player gone silent; with two
// players still talking it is a third address and gets nothing (0).
int TRelayRegistry::NextSlot(std::int64_t nowMs) const {
  return count_ < 2 ? count_ + 1 : AbandonedSlot(nowMs);
}

int TRelayRegistry::Register(const std::string& source, std::int64_t nowMs) {
  const int slot = NextSlot(nowMs);
  if (slot == 0) return 0;
  if (slot > count_) {
    count_ = slot;
    for (int n = 1; n <= count_; ++n) players_[n].playerCount = count_;
  }
  addresses_[static_cast<std::size_t>(slot - 1)] = source;
  return slot;
}

TRelayVerdict TRelayRegistry::Refuse(TDatagramFault fault) {
  ++dropped_[static_cast<std::size_t>(fault)];
  TRelayVerdict verdict;
  verdict.fault = fault;
  return verdict;
}

TRelayVerdict TRelayRegistry::Receive(const std::uint8_t* data, std::size_t size,
                                      const std::string& source, std::int64_t nowMs) {
  if (!rate_.Allow(source, nowMs)) return Refuse(TDatagramFault::kOverRate);
  const auto received = DecodePerso(data, size);
  if (!received) return Refuse(CheckDatagram(data, size));
  TRelayVerdict verdict;
  verdict.sender = SlotOf(source);
  // A player writes 0 or its own number; a newcomer's own number is the slot it is about
  // to take. Anything else is a record that came back from somewhere (a reflection).
  const int expected = verdict.sender != 0 ? verdict.sender : NextSlot(nowMs);
  if (received->number != 0 && received->number != expected) {
    return Refuse(TDatagramFault::kReflected);
  }
  if (verdict.sender == 0) {
    verdict.sender = Register(source, nowMs);
    if (verdict.sender == 0) return Refuse(TDatagramFault::kThirdAddress);
    verdict.newPlayer = true;
  }
  TPerso& record = players_[verdict.sender];
  MergeReceived(record, *received);
  record.number = verdict.sender;
  lastHeard_[static_cast<std::size_t>(verdict.sender - 1)] = nowMs;
  verdict.other = Listening(3 - verdict.sender, nowMs) ? 3 - verdict.sender : 0;
  return verdict;
}
