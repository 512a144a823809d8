#include "saves/Ghost.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/UserFolders.h"
#include "saves/SlotWriter.h"

namespace {

const char kMagic[4] = {'V', 'G', 'H', 'O'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 4 + 2 + 2 + 8 + 4 + 4;
constexpr std::size_t kFrameBytes = 6 * 4;
// Far beyond any terrain or any number of turns, but finite and small enough to mean a flight.
constexpr float kMaxCoordinate = 1.0e7f;

std::uint32_t Crc32Of(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint64_t Get(const std::uint8_t* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
  return value;
}

float GetFloat(const std::uint8_t* at) { return std::bit_cast<float>(static_cast<std::uint32_t>(Get(at, 4))); }

bool Sane(float value) { return std::isfinite(value) && std::fabs(value) <= kMaxCoordinate; }

bool SaneFrame(const TGhostFrame& f) {
  return Sane(f.x) && Sane(f.y) && Sane(f.z) && Sane(f.rotX) && Sane(f.rotY) && Sane(f.rotZ);
}

float Mix(float a, float b, float t) { return a + (b - a) * t; }

// From a to b the short way round, in degrees.
float MixAngle(float a, float b, float t) {
  float delta = std::fmod(b - a, 360.0f);
  if (delta > 180.0f) delta -= 360.0f;
  if (delta < -180.0f) delta += 360.0f;
  return a + delta * t;
}

}  // namespace

std::uint32_t GhostChecksum(const std::uint8_t* data, std::size_t size) { return Crc32Of(data, size); }

std::vector<std::uint8_t> EncodeGhost(const TGhost& ghost) {
  std::vector<std::uint8_t> out(kMagic, kMagic + 4);
  Put(out, kVersion, 2);
  Put(out, 0, 2);
  Put(out, ghost.courseHash, 8);
  Put(out, ghost.stepMs, 4);
  Put(out, ghost.frames.size(), 4);
  for (const TGhostFrame& f : ghost.frames) {
    for (float value : {f.x, f.y, f.z, f.rotX, f.rotY, f.rotZ}) Put(out, std::bit_cast<std::uint32_t>(value), 4);
  }
  Put(out, GhostChecksum(out.data(), out.size()), 4);
  return out;
}

bool DecodeGhost(const std::vector<std::uint8_t>& bytes, TGhost& ghost, std::string& why) {
  if (bytes.size() < kHeaderBytes + 4 || std::memcmp(bytes.data(), kMagic, 4) != 0) {
    why = "not a ghost file";
    return false;
  }
  const std::uint8_t* at = bytes.data();
  // The word after the version is kept 0 for a later version's flags.
  if (Get(at + 4, 2) != kVersion || Get(at + 6, 2) != 0) {
    why = "a ghost of another version";
    return false;
  }
  const std::uint64_t count = Get(at + 20, 4);
  if (count > kMaxGhostFrames || bytes.size() != kHeaderBytes + count * kFrameBytes + 4) {
    why = "its length does not match its frame count";
    return false;
  }
  if (Get(at + bytes.size() - 4, 4) != GhostChecksum(at, bytes.size() - 4)) {
    why = "its checksum does not match (the file was damaged)";
    return false;
  }
  TGhost read;
  read.courseHash = Get(at + 8, 8);
  read.stepMs = static_cast<std::uint32_t>(Get(at + 16, 4));
  if (read.stepMs == 0 || read.stepMs > 1000) {
    why = "its frame step is not a flight's";
    return false;
  }
  read.frames.resize(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint8_t* frame = at + kHeaderBytes + i * kFrameBytes;
    TGhostFrame& f = read.frames[i];
    float* values[] = {&f.x, &f.y, &f.z, &f.rotX, &f.rotY, &f.rotZ};
    for (int k = 0; k < 6; ++k) *values[k] = GetFloat(frame + 4 * k);
    if (!SaneFrame(f)) {
      why = "frame " + std::to_string(i) + " holds a value no flight reaches";
      return false;
    }
  }
  ghost = std::move(read);
  return true;
}

TGhostFrame GhostPoseAt(const TGhost& ghost, std::int64_t timeMs) {
  if (ghost.frames.empty()) return {};
  if (timeMs <= 0 || ghost.stepMs == 0) return ghost.frames.front();
  const std::int64_t index = timeMs / ghost.stepMs;
  if (index + 1 >= static_cast<std::int64_t>(ghost.frames.size())) return ghost.frames.back();
  const float t = static_cast<float>(timeMs % ghost.stepMs) / static_cast<float>(ghost.stepMs);
  const TGhostFrame& a = ghost.frames[index];
  const TGhostFrame& b = ghost.frames[index + 1];
  return {Mix(a.x, b.x, t),           Mix(a.y, b.y, t),           Mix(a.z, b.z, t),
          MixAngle(a.rotX, b.rotX, t), MixAngle(a.rotY, b.rotY, t), MixAngle(a.rotZ, b.rotZ, t)};
}

TGhostRecorder::TGhostRecorder(std::uint64_t courseHash, std::uint32_t stepMs) {
  ghost_.courseHash = courseHash;
  ghost_.stepMs = stepMs == 0 ? 1 : stepMs;
}

void TGhostRecorder::Sample(std::int64_t timeMs, const TGhostFrame& pose) {
  // Frame k stands for the time k x step: a slow frame fills the steps it skipped with
  // the pose it reached, a fast one adds nothing until the next step is due.
  while (ghost_.frames.size() < kMaxGhostFrames &&
         static_cast<std::int64_t>(ghost_.frames.size()) * ghost_.stepMs <= timeMs) {
    ghost_.frames.push_back(SaneFrame(pose) ? pose : (ghost_.frames.empty() ? TGhostFrame{} : ghost_.frames.back()));
  }
}

bool LoadGhost(const std::string& path, TGhost& ghost, std::string& why) {
  std::error_code code;
  const auto size = std::filesystem::file_size(path, code);
  if (code || size > kHeaderBytes + kMaxGhostFrames * kFrameBytes + 4) {
    why = code ? "cannot be read" : "far too long for a ghost";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DecodeGhost(bytes, ghost, why);
}

bool SaveGhost(const std::string& path, const TGhost& ghost, std::string& error) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && !MakeFolders(folder, error)) return false;
  const std::vector<std::uint8_t> bytes = EncodeGhost(ghost);
  return ReplaceFileSafely(path, std::string(bytes.begin(), bytes.end()), error);
}
