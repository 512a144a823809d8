#include "frontend/TrackList.h"

#include <cstdint>
#include <fstream>

#include "assets/Lstr.h"
#include "platform/Paths.h"
#include "platform/Window.h"

namespace {

std::int32_t LittleEndian32(const unsigned char* bytes) {
  std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) |
                        static_cast<std::uint32_t>(bytes[1]) << 8 |
                        static_cast<std::uint32_t>(bytes[2]) << 16 |
                        static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(value);
}

void ReportMissing(const std::string& heightmap, bool kept) {
  std::string consequence = kept ? "this track is shown without its picture."
                                 : "this track is left out of the list.";
  wnd::MessageBox("The track picture \"" + heightmap + "\" cannot be read: " + consequence,
                  "Velmora");
}

}  // namespace

// Only the headers are read: the sizes are all the list needs.
bool ReadBitmapSize(const std::string& path, int& width, int& height) {
  std::ifstream file(ResolvePath(path), std::ios::binary);
  unsigned char header[26] = {};
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  std::int32_t w = LittleEndian32(header + 18);
  std::int32_t h = LittleEndian32(header + 22);
  if (w <= 0 || h <= 0) return false;
  width = w;
  height = h;
  return true;
}

std::string TrackFileFor(const std::string& heightmapName) {
  std::string base;
  SubStr(heightmapName, 1, static_cast<int>(heightmapName.size()) - 4, base);
  std::string trackFile = base + ".track";
  return PathExists(trackFile) ? trackFile : std::string();
}

TTrackListing BuildTrackListing(const std::vector<std::string>& heightmaps) {
  TTrackListing listing;
  for (std::size_t i = 0; i < heightmaps.size(); ++i) {
    bool last = i + 1 == heightmaps.size();
    T_TrackFile entry;
    entry.heightmapName = heightmaps[i];
    bool readable = ReadBitmapSize(entry.heightmapName, entry.width, entry.height);
    if (!readable) {
      ReportMissing(entry.heightmapName, last);
      if (!last) continue;
      entry.width = entry.height = 1;
    }
    // The random track is built from a generated course, never from a file.
    if (!last) entry.trackFileName = TrackFileFor(entry.heightmapName);
    listing.tracks.push_back(entry);
    listing.readable.push_back(readable);
  }
  return listing;
}
