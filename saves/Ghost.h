// The flight of a best run, replayed as a ghost in the next race on the same course: the
// craft's position and rotation sampled at a fixed step, in a small binary file
//
//   "VGHO"  u16 version (1)  u16 0  u64 course hash  u32 step ms  u32 frame count
//   frame count x (6 x f32: x y z, rotation x y z in degrees)  u32 CRC-32 of all before
//
// little-endian. A file that is short, long, of another version, fails its checksum or
// holds a value no flight reaches is refused whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TGhostFrame {
  float x = 0, y = 0, z = 0;
  float rotX = 0, rotY = 0, rotZ = 0;

  bool operator==(const TGhostFrame&) const = default;
};

struct TGhost {
  std::uint64_t courseHash = 0;
  std::uint32_t stepMs = 16;
  std::vector<TGhostFrame> frames;
};

// Half an hour at a frame every 16 ms: more than any race, less than 3 MB.
inline constexpr std::uint32_t kMaxGhostFrames = 112500;

// The CRC-32 (the zip and PNG one) of the bytes; a file ends with that of all before it.
std::uint32_t GhostChecksum(const std::uint8_t* data, std::size_t size);

std::vector<std::uint8_t> EncodeGhost(const TGhost& ghost);
// False with the reason in `why` for anything but a whole, valid file.
bool DecodeGhost(const std::vector<std::uint8_t>& bytes, TGhost& ghost, std::string& why);

// Where the ghost is `timeMs` after the start: between the two frames around it, the
// angles taken the short way round; the last frame once the flight is over.
TGhostFrame GhostPoseAt(const TGhost& ghost, std::int64_t timeMs);

// Records the flight a frame at a time: a frame is kept each time the clock passes the
// next step, so the file's rate does not depend on the machine's.
class TGhostRecorder {
 public:
  explicit TGhostRecorder(std::uint64_t courseHash, std::uint32_t stepMs = 16);
  void Sample(std::int64_t timeMs, const TGhostFrame& pose);
  const TGhost& Ghost() const { return ghost_; }

 private:
  TGhost ghost_;
};

// Reads and writes a ghost file (written through a temporary file and a rename).
bool LoadGhost(const std::string& path, TGhost& ghost, std::string& why);
bool SaveGhost(const std::string& path, const TGhost& ghost, std::string& error);
