// The track reader on arbitrary text: it never crashes, refuses only by throwing
// std::runtime_error, and whatever it accepts is written back into a file that reads
// to the same track, byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "modes/TrackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TTrackData track;
  try {
    track = ParseTrackText(text, "fuzz.track");
  } catch (const std::runtime_error&) {
    return 0;
  }
  for (const TRing& ring : track.rings) {
    if (ring.points.size() != 16 || ring.caught) std::abort();
  }
  const std::string written = FormatTrackFile("fuzz", track);
  TTrackData again;
  try {
    again = ParseTrackText(written, "written.track");
  } catch (const std::runtime_error&) {
    std::abort();
  }
  if (again.rings.size() != track.rings.size() || again.initialTime != track.initialTime ||
      again.musicPath != track.musicPath || FormatTrackFile("fuzz", again) != written) {
    std::abort();
  }
  return 0;
}
