// The ghost reader on arbitrary bytes: it never crashes, a file it accepts replays
// finite poses at any time, and it is written back into the same bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "saves/Ghost.h"

namespace {

void Check(const std::vector<std::uint8_t>& bytes) {
  TGhost ghost;
  std::string why;
  if (!DecodeGhost(bytes, ghost, why)) {
    if (why.empty() || !ghost.frames.empty()) std::abort();
    return;
  }
  if (EncodeGhost(ghost) != bytes) std::abort();
  const std::int64_t span = static_cast<std::int64_t>(ghost.frames.size()) * ghost.stepMs;
  for (std::int64_t t : {std::int64_t{-1}, std::int64_t{0}, span / 3, span / 2 + 1, span, span + 5}) {
    const TGhostFrame pose = GhostPoseAt(ghost, t);
    for (float value : {pose.x, pose.y, pose.z, pose.rotX, pose.rotY, pose.rotZ}) {
      if (!std::isfinite(value)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  Check(bytes);
  // The same bytes with a checksum that matches, so the fuzzer reaches the frames too.
  if (bytes.size() >= 4) {
    const std::uint32_t sum = GhostChecksum(bytes.data(), bytes.size() - 4);
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
    Check(bytes);
  }
  return 0;
}
