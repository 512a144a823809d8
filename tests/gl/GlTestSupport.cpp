#include "tests/gl/GlTestSupport.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "modes/TrackFile.h"
#include "tests/TrackDataFixture.h"
#include "tools/writers/ImageWriters.h"

namespace {
TRgb ReadFrom(GLenum buffer, int x, int y) {
  unsigned char rgba[4] = {0, 0, 0, 0};
  glReadBuffer(buffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, 767 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glReadBuffer(GL_BACK);
  return {rgba[0], rgba[1], rgba[2]};
}
}  // namespace

TRgb ReadPixelTopLeft(int x, int y) { return ReadFrom(GL_BACK, x, y); }

TRgb ReadShownPixelTopLeft(int x, int y) {
  const TScriptedGlPlatform& p = GlPlatform();
  if (p.capturedFrame.empty() || x < 0 || y < 0 || x >= p.capturedWidth ||
      y >= p.capturedHeight) {
    return {-1, -1, -1};
  }
  const std::size_t at =
      (static_cast<std::size_t>(p.capturedHeight - 1 - y) * p.capturedWidth + x) * 4;
  return {p.capturedFrame[at], p.capturedFrame[at + 1], p.capturedFrame[at + 2]};
}

bool Near(TRgb a, TRgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

std::vector<unsigned char> ReadFrame() {
  std::vector<unsigned char> pixels(1024 * 768 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

TImage Solid(TRgb c, int size) {
  return MakeSolidImage(size, size,
                        {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b), 255});
}

TRgb DigitColour(int d) { return {20 + d * 20, 230 - d * 20, 100}; }

TBouton Button(double x, double y, double w, double h) {
  TBouton b;
  b.x = x;
  b.y = y;
  b.width = w;
  b.height = h;
  return b;
}

int PixelX(double vx) { return static_cast<int>(std::lround(vx * 1024.0 / 800.0)); }
int PixelY(double vy) { return static_cast<int>(std::lround(vy * 768.0 / 600.0)); }

void Click(TScriptedPlatform& p, const TButtonLayout& b, int settle) {
  p.QueueClick(PixelX(b.x + b.width / 2), PixelY(b.y + b.height / 2));
  p.QueueIdle(settle);
}

TGameFolder::TGameFolder(std::initializer_list<const char*> linked,
                         std::initializer_list<const char*> copied)
    : previous_(std::filesystem::current_path()) {
  namespace fs = std::filesystem;
  static int made = 0;
  root_ = fs::temp_directory_path() /
          ("velmora-game-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
  fs::remove_all(root_);
  fs::create_directories(root_);
  for (const char* folder : linked) fs::create_directory_symlink(previous_ / folder, root_ / folder);
  for (const char* folder : copied) {
    fs::create_directories(root_ / folder);
    for (const auto& entry : fs::directory_iterator(previous_ / folder)) {
      fs::create_symlink(entry.path(), root_ / folder / entry.path().filename());
    }
  }
  fs::current_path(root_);
}

TGameFolder::~TGameFolder() {
  std::error_code error;
  std::filesystem::current_path(previous_, error);
  std::filesystem::remove_all(root_, error);
}

std::string WriteWinterCourse(const std::filesystem::path& folder, const std::string& name,
                              const std::vector<T_point>& origins, int initialTime,
                              const std::string& music) {
  TTrackData data = TrackOverHeightmap("screenplay_data/winter/winter.bmp", 0.5, 110.0, initialTime, music);
  for (const T_point& origin : origins) {
    TRing ring;
    ring.origin = origin;
    ring.scale = 1.5;
    ring.points = T_tab_point(16, origin);
    data.rings.push_back(ring);
  }
  std::filesystem::create_directories(folder);
  const std::string path = (folder / (name + ".track")).string();
  WriteTrackFile(name, path, data);
  return path;
}

T_TrackFile WinterEntry(const std::string& trackFile) {
  T_TrackFile entry;
  entry.heightmapName = "screenplay_data/winter/winter.bmp";
  entry.trackFileName = trackFile;
  return entry;
}
