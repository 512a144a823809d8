#include "fuzz/SeedMaker.h"
#include "net/PersoRecord.h"

namespace {

// The first byte: relay state (low two bits) and sender (next two); then one datagram.
TBytes Seed(int selector, const TPerso& record, std::size_t keep = kPersoSize) {
  const TPersoBytes bytes = EncodePerso(record);
  TBytes out{static_cast<std::uint8_t>(selector)};
  out.insert(out.end(), bytes.begin(), bytes.begin() + static_cast<long>(keep));
  return out;
}

TPerso Flying(int number) {
  TPerso r;
  r.number = number;
  r.position = {120.5, 210.0, -64.25};
  r.rotation = {-12.0, 275.0, 0.0};
  r.score = 30;
  r.extra = 1;
  r.playerCount = 2;
  return r;
}

// A newcomer, a registered player writing its number, a stranger, a newcomer taking a
// silent player's slot, a wrong number and a datagram cut short.
TSeedMaker maker("datagram", [](const std::string& dir) {
  WriteSeed(dir, "new-player.bin", Seed(0, Flying(0)));
  WriteSeed(dir, "second-numbered.bin", Seed(2 | 1 << 2, Flying(2)));
  WriteSeed(dir, "third-address.bin", Seed(2 | 2 << 2, Flying(0)));
  WriteSeed(dir, "takes-silent-slot.bin", Seed(3 | 2 << 2, Flying(0)));
  WriteSeed(dir, "bad-number.bin", Seed(1, Flying(7)));
  WriteSeed(dir, "cut-short.bin", Seed(2, Flying(1), 41));
});

}  // namespace
