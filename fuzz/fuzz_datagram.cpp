// One received datagram, as the client and as the relay handle it. The first byte picks
// the relay's state and the sender; the rest is the datagram. Neither side may crash,
// keep part of a refused datagram, follow the name slot, or break its bookkeeping.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/PersoRecord.h"
#include "net/RelayRegistry.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool SameRecord(const TPerso& a, const TPerso& b) {
  return EncodePerso(a) == EncodePerso(b) && a.name == b.name;
}

// Bytes a merged record must carry over exactly: number, both vectors, score, extra.
bool CarriesState(const TPerso& kept, const std::uint8_t* data) {
  const TPersoBytes again = EncodePerso(kept);
  return std::memcmp(again.data(), data, 4) == 0 &&
         std::memcmp(again.data() + 8, data + 8, 48) == 0 &&
         std::memcmp(again.data() + 60, data + 60, 8) == 0 &&
         kept.linkDown == (data[68] != 0);
}

void AsClient(const std::uint8_t* data, std::size_t size) {
  TPerso kept;
  kept.name = "player2";
  kept.playerCount = 2;
  kept.position = {1.0, 2.0, 3.0};
  const TPerso before = kept;
  const bool taken = TakeReceived(kept, data, size);
  Check(taken == (CheckDatagram(data, size) == TDatagramFault::kNone));
  if (!taken) return Check(SameRecord(kept, before));
  Check(kept.name == "player2" && kept.playerCount == 2);
  Check(CarriesState(kept, data));
}

// 0: fresh relay; 1: player 1 registered; 2: both registered; 3: both, player 2 silent.
void Prepare(TRelayRegistry& relay, int state) {
  TPerso r;
  const TPersoBytes b = EncodePerso(r);
  if (state >= 1) relay.Receive(b.data(), b.size(), "A", 0);
  if (state >= 2) relay.Receive(b.data(), b.size(), "B", 0);
  if (state == 3) relay.Receive(b.data(), b.size(), "A", 6000);
}

void CheckBookkeeping(const TRelayRegistry& relay) {
  Check(relay.Count() >= 0 && relay.Count() <= 2);
  for (int n = 1; n <= relay.Count(); ++n) {
    Check(relay.Players()[n].number == n);
    Check(relay.Players()[n].playerCount == relay.Count());
    Check(!relay.AddressOf(n).empty());
  }
}

void AsRelay(int selector, const std::uint8_t* data, std::size_t size) {
  static const char* const kSources[] = {"A", "B", "C", "D"};
  TRelayRegistry relay;
  Prepare(relay, selector & 3);
  const TPersoList before = relay.Players();
  const long dropped = relay.Dropped();
  const TRelayVerdict v = relay.Receive(data, size, kSources[(selector >> 2) & 3], 6001);
  CheckBookkeeping(relay);
  if (v.fault != TDatagramFault::kNone) {
    Check(v.sender == 0 && v.other == 0 && relay.Dropped() == dropped + 1);
    return Check(SameRecord(relay.Players()[1], before[1]) &&
                 SameRecord(relay.Players()[2], before[2]));
  }
  Check(v.sender >= 1 && v.sender <= relay.Count());
  Check(v.other == 0 || (relay.Count() == 2 && v.other == 3 - v.sender));
  const TPerso& stored = relay.Players()[v.sender];
  Check(stored.name.empty());
  Check(std::memcmp(EncodePerso(stored).data() + 8, data + 8, 48) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int selector = data[0];
  AsClient(data + 1, size - 1);
  AsRelay(selector, data + 1, size - 1);
  return 0;
}
