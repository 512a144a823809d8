#include "net/PersoRecord.h"

#include <bit>
#include <cmath>

namespace {

void PutU32(TPersoBytes& out, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutDouble(TPersoBytes& out, std::size_t at, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < 8; ++i) out[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void PutPoint(TPersoBytes& out, std::size_t at, const T_point& p) {
  PutDouble(out, at, p.x);
  PutDouble(out, at + 8, p.y);
  PutDouble(out, at + 16, p.z);
}

std::int32_t GetI32(const std::uint8_t* data, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{data[at + i]} << (8 * i);
  return static_cast<std::int32_t>(value);
}

double GetDouble(const std::uint8_t* data, std::size_t at) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{data[at + i]} << (8 * i);
  return std::bit_cast<double>(bits);
}

T_point GetPoint(const std::uint8_t* data, std::size_t at) {
  return T_point{GetDouble(data, at), GetDouble(data, at + 8), GetDouble(data, at + 16)};
}

bool Finite(const T_point& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

const char* DatagramFaultName(TDatagramFault fault) {
  switch (fault) {
    case TDatagramFault::kNone: return "none";
    case TDatagramFault::kWrongSize: return "wrong size";
    case TDatagramFault::kBadNumber: return "bad player number";
    case TDatagramFault::kNotFinite: return "state not finite";
    case TDatagramFault::kThirdAddress: return "third address";
    case TDatagramFault::kReflected: return "reflected record";
    case TDatagramFault::kOverRate: return "over the rate";
  }
  return "unknown";
}

TPersoBytes EncodePerso(const TPerso& record) {
  using namespace perso_offset;
  TPersoBytes out{};  // gaps and the name slot stay zero
  PutU32(out, kNumber, static_cast<std::uint32_t>(record.number));
  PutPoint(out, kPosition, record.position);
  PutPoint(out, kRotation, record.rotation);
  PutU32(out, kScore, static_cast<std::uint32_t>(record.score));
  PutU32(out, kExtra, static_cast<std::uint32_t>(record.extra));
  out[kLinkDown] = record.linkDown ? 1 : 0;
  PutU32(out, kPlayerCount, static_cast<std::uint32_t>(record.playerCount));
  return out;
}

TDatagramFault CheckDatagram(const std::uint8_t* data, std::size_t size) {
  using namespace perso_offset;
  if (data == nullptr || size != kPersoSize) return TDatagramFault::kWrongSize;
  const std::int32_t number = GetI32(data, kNumber);
  if (number < 0 || number > 2) return TDatagramFault::kBadNumber;
  if (!Finite(GetPoint(data, kPosition)) || !Finite(GetPoint(data, kRotation))) {
    return TDatagramFault::kNotFinite;
  }
  return TDatagramFault::kNone;
}

std::optional<TPerso> DecodePerso(const std::uint8_t* data, std::size_t size) {
  using namespace perso_offset;
  if (CheckDatagram(data, size) != TDatagramFault::kNone) return std::nullopt;
  TPerso record;
  record.number = GetI32(data, kNumber);
  record.position = GetPoint(data, kPosition);
  record.rotation = GetPoint(data, kRotation);
  record.score = GetI32(data, kScore);
  record.extra = GetI32(data, kExtra);
  record.linkDown = data[kLinkDown] != 0;
  record.playerCount = GetI32(data, kPlayerCount);
  return record;
}

void MergeReceived(TPerso& kept, const TPerso& received) {
  kept.number = received.number;
  kept.position = received.position;
  kept.rotation = received.rotation;
  kept.score = received.score;
  kept.extra = received.extra;
  kept.linkDown = received.linkDown;
}

bool TakeReceived(TPerso& kept, const std::uint8_t* data, std::size_t size) {
  const auto received = DecodePerso(data, size);
  if (!received) return false;
  MergeReceived(kept, *received);
  return true;
}

int CaughtCountOf(const TPerso& record, int maxCount) {
  if (record.score <= 0 || maxCount <= 0) return 0;
  const int caught = record.score / 10;
  return caught > maxCount ? maxCount : caught;
}

bool PlausibleRecord(const TPerso& record, const TRecordBounds& bounds) {
  if (record.score < 0 || record.score > 10 * bounds.ringCount) return false;
  const T_point& p = record.position;
  const T_point& r = record.rotation;
  if (!Finite(p) || !Finite(r)) return false;
  // One terrain size past each edge: three half sizes from the centre.
  if (std::abs(p.x) > 3.0 * bounds.halfWidth || std::abs(p.z) > 3.0 * bounds.halfDepth) {
    return false;
  }
  if (std::abs(p.y) > bounds.ceiling) return false;
  // Turns add 2 degrees a frame: a race of hours stays far below this.
  constexpr double kTurnLimit = 1.0e7;
  return std::abs(r.x) <= kTurnLimit && std::abs(r.y) <= kTurnLimit && std::abs(r.z) <= kTurnLimit;
}

int AdvanceCaughtCount(int current, const TPerso& received, int ringCount) {
  const int claimed = CaughtCountOf(received, ringCount);
  return claimed > current ? current + 1 : current;
}
