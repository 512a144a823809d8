// The player-state record of the LAN link and its 80-byte little-endian wire form.
// The record is written and read field by field: the name is a string here and a
// meaningless 4-byte slot on the wire, so a memory copy would ship a pointer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "assets/Utype.h"

inline constexpr std::size_t kPersoSize = 80;

// Byte offsets of the wire record.
namespace perso_offset {
inline constexpr std::size_t kNumber = 0;
inline constexpr std::size_t kPosition = 8;
inline constexpr std::size_t kRotation = 32;
inline constexpr std::size_t kName = 56;
inline constexpr std::size_t kScore = 60;
inline constexpr std::size_t kExtra = 64;
inline constexpr std::size_t kLinkDown = 68;
inline constexpr std::size_t kPlayerCount = 72;
}  // namespace perso_offset

struct TPerso {
  std::int32_t number = 0;     // 0: not registered with the relay yet; 1 or 2 once registered
  T_point position;            // first state vector: where the craft is
  T_point rotation;            // second state vector: how it is turned, in degrees
  std::string name;            // never travels: the wire slot carries zeros
  std::int32_t score = 0;      // caught count x 10
  std::int32_t extra = 0;      // carried along untouched
  bool linkDown = false;       // the sender had no working session
  std::int32_t playerCount = 0;  // players registered with the relay
};

// Records 1 and 2.
struct TPersoList {
  std::array<TPerso, 2> records;

  TPerso& operator[](int number) { return records.at(static_cast<std::size_t>(number - 1)); }
  const TPerso& operator[](int number) const {
    return records.at(static_cast<std::size_t>(number - 1));
  }
};

using TPersoBytes = std::array<std::uint8_t, kPersoSize>;

// Why a received datagram was refused.
enum class TDatagramFault {
  kNone,
  kWrongSize,      // not exactly one record
  kBadNumber,      // player number other than 0, 1 or 2
  kNotFinite,      // a state vector holds an infinity or a NaN
  kThirdAddress,   // the relay already serves two other players
  kReflected,      // a number other than 0 and the sender's own: a record sent back at the relay
  kOverRate,       // the sender's address goes faster than any game sends
};

const char* DatagramFaultName(TDatagramFault fault);

TPersoBytes EncodePerso(const TPerso& record);

// Checks size, player number and state vectors; the name is never read.
TDatagramFault CheckDatagram(const std::uint8_t* data, std::size_t size);

// Every field but the name, which stays empty. Nothing when the datagram is refused.
std::optional<TPerso> DecodePerso(const std::uint8_t* data, std::size_t size);

// What a received record changes in the record a receiver keeps: everything the
// sender decides, but not the receiver's own name nor its count of registered players.
void MergeReceived(TPerso& kept, const TPerso& received);

// A client's handling of one received datagram: merges it into `kept` and returns true,
// or leaves `kept` untouched and returns false when the datagram is refused.
bool TakeReceived(TPerso& kept, const std::uint8_t* data, std::size_t size);

// The caught count a record's score value stands for, held to 0..maxCount so it never
// reaches past the ring array. Held to that range alone, a record claiming every ring
// would still end the race: a receiver goes through AdvanceCaughtCount.
int CaughtCountOf(const TPerso& record, int maxCount);

// What a record from the other machine may hold: a score of 0 to 10 per ring, and a
// craft over the terrain or near it. The terrain spans `halfWidth` and `halfDepth` on
// either side of the origin; a craft cannot leave it, so a position more than the
// terrain's size beyond its edge is not from a real game.
struct TRecordBounds {
  int ringCount = 0;
  double halfWidth = 0.0;
  double halfDepth = 0.0;
  double ceiling = 1.0e6;  // far above anything a craft reaches in a race
};

// False for a record the receiver drops whole: a score out of range, or a position or
// rotation out of bounds (the decoder already refused infinities and NaNs).
bool PlausibleRecord(const TPerso& record, const TRecordBounds& bounds);

// The shared caught count after a record from the other player: it never goes down and
// grows by one ring at most, however many the record claims, so no single record can
// skip the course or end the race.
int AdvanceCaughtCount(int current, const TPerso& received, int ringCount);
