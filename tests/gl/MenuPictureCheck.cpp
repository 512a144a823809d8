#include "tests/gl/MenuPictureCheck.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace fs = std::filesystem;

const TImage* TestPicture(const std::string& path) {
  static std::map<std::string, std::unique_ptr<TImage>> pictures;
  auto found = pictures.find(path);
  if (found == pictures.end()) {
    TDecodeResult decoded = DecodeImageFile(path);
    std::unique_ptr<TImage> image;
    if (decoded.ok) image = std::make_unique<TImage>(std::move(decoded.image));
    found = pictures.emplace(path, std::move(image)).first;
  }
  return found->second.get();
}

namespace {

struct TTexel {
  int r, g, b, a;
};

TTexel Texel(const TImage& image, int x, int y) {
  x = std::clamp(x, 0, image.width - 1);
  y = std::clamp(y, 0, image.height - 1);
  const std::uint8_t* p =
      image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * image.channels;
  return {p[0], p[1], p[2], image.channels == 4 ? p[3] : 255};
}

bool EvenAt(const TImage& image, int cx, int cy) {
  TTexel first = Texel(image, cx, cy);
  if (first.a < 255) return false;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      TTexel t = Texel(image, cx + dx, cy + dy);
      if (t.a < 255 || std::abs(t.r - first.r) > 6 || std::abs(t.g - first.g) > 6 ||
          std::abs(t.b - first.b) > 6) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

TRgb PictureColour(const TImage& image, double u, double v, int* alpha) {
  int cx = static_cast<int>(u * image.width);
  int cy = static_cast<int>(v * image.height);
  int r = 0, g = 0, b = 0, a = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      TTexel t = Texel(image, cx + dx, cy + dy);
      r += t.r;
      g += t.g;
      b += t.b;
      a += t.a;
    }
  }
  if (alpha) *alpha = a / 9;
  return {r / 9, g / 9, b / 9};
}

// Searches rings of growing size around the spot, nearest first.
bool FindEvenSpot(const TImage& image, double& u, double& v, int reach) {
  int cx = static_cast<int>(u * image.width);
  int cy = static_cast<int>(v * image.height);
  for (int ring = 0; ring <= reach; ++ring) {
    for (int dy = -ring; dy <= ring; ++dy) {
      for (int dx = -ring; dx <= ring; ++dx) {
        if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
        if (!EvenAt(image, cx + dx, cy + dy)) continue;
        u = (cx + dx + 0.5) / image.width;
        v = (cy + dy + 0.5) / image.height;
        return true;
      }
    }
  }
  return false;
}

TScreenRect VirtualRect(double x, double y, double w, double h) {
  return {x * 1.28, y * 1.28, w * 1.28, h * 1.28};
}


TRgb PresentedAverage(int x, int y) {
  x = std::clamp(x, 1, 1022);
  y = std::clamp(y, 1, 766);
  unsigned char block[3 * 3 * 4] = {};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x - 1, 767 - y - 1, 3, 3, GL_RGBA, GL_UNSIGNED_BYTE, block);
  int r = 0, g = 0, b = 0;
  for (int i = 0; i < 9; ++i) {
    r += block[i * 4];
    g += block[i * 4 + 1];
    b += block[i * 4 + 2];
  }
  return {r / 9, g / 9, b / 9};
}

std::vector<TPictureSpot> PictureSpots(const std::string& path, const TScreenRect& rect,
                                       const std::vector<std::pair<double, double>>& near,
                                       bool skipUneven) {
  std::vector<TPictureSpot> spots;
  const TImage* image = TestPicture(path);
  if (image == nullptr) {
    ADD_FAILURE() << "the content has no readable " << path;
    return spots;
  }
  for (auto [u, v] : near) {
    if (!FindEvenSpot(*image, u, v)) {
      if (!skipUneven) ADD_FAILURE() << path << " has no even spot near " << u << ", " << v;
      continue;
    }
    TPictureSpot spot;
    spot.x = static_cast<int>(rect.left + u * rect.width);
    spot.y = static_cast<int>(rect.top + (1.0 - v) * rect.height);
    spot.expected = PictureColour(*image, u, v);
    spots.push_back(spot);
  }
  return spots;
}

namespace {

bool SpotMatches(const TPictureSpot& spot, TRgb shown, const std::string& label) {
  if (Near(shown, spot.expected)) return true;
  ADD_FAILURE() << label << ": at pixel (" << spot.x << ", " << spot.y << ") the picture has "
                << spot.expected.r << "," << spot.expected.g << "," << spot.expected.b
                << " but the window shows " << shown.r << "," << shown.g << "," << shown.b;
  return false;
}

}  // namespace

int ExpectSpotsPresented(const std::vector<TPictureSpot>& spots, const std::string& label) {
  int matched = 0;
  for (const TPictureSpot& spot : spots) {
    matched += SpotMatches(spot, PresentedAverage(spot.x, spot.y), label) ? 1 : 0;
  }
  return matched;
}

int ExpectPictureShown(const std::string& path, const TScreenRect& rect,
                       const std::vector<std::pair<double, double>>& near,
                       const std::string& label) {
  return ExpectSpotsPresented(PictureSpots(path, rect, near), label + " (" + path + ")");
}

void TLastFrameProbe::Record() {
  last_.clear();
  for (const TPictureSpot& spot : spots_) last_.push_back(PresentedAverage(spot.x, spot.y));
}

int TLastFrameProbe::Expect(const std::string& label) const {
  if (last_.size() != spots_.size()) {
    ADD_FAILURE() << label << ": no frame was presented";
    return 0;
  }
  int matched = 0;
  for (std::size_t i = 0; i < spots_.size(); ++i) {
    matched += SpotMatches(spots_[i], last_[i], label) ? 1 : 0;
  }
  return matched;
}

void TScriptCheckpoints::Here(std::function<void()> check) {
  checks_.emplace_back(platform_.QueuedFrames(), std::move(check));
}

void TScriptCheckpoints::Arm() {
  total_ = platform_.QueuedFrames();
  platform_.onSwap = [this](TScriptedPlatform& p) {
    if (everyFrame_) everyFrame_();
    std::size_t consumed = total_ - p.QueuedFrames();
    for (auto& [mark, check] : checks_) {
      if (mark == consumed && check) {
        check();
        check = nullptr;
        ++ran_;
      }
    }
  };
}

namespace {

// Links every file of the content folders into the mirror, except the missing ones.
void MirrorFolder(const fs::path& from, const fs::path& to, const std::vector<std::string>& missing) {
  for (const auto& entry : fs::recursive_directory_iterator(from)) {
    fs::path relative = fs::relative(entry.path(), from.parent_path());
    if (entry.is_directory()) {
      fs::create_directories(to / relative);
      continue;
    }
    if (std::find(missing.begin(), missing.end(), relative.generic_string()) != missing.end()) {
      continue;
    }
    fs::create_directories((to / relative).parent_path());
    fs::create_symlink(fs::absolute(entry.path()), to / relative);
  }
}

}  // namespace

TContentWithout::TContentWithout(const std::vector<std::string>& missing)
    : previous_(fs::current_path()) {
  mirror_ = fs::temp_directory_path() / ("velmora-content-" + std::to_string(::getpid()));
  fs::remove_all(mirror_);
  fs::create_directories(mirror_);
  for (const char* folder : {"img", "track_data"}) {
    if (fs::exists(previous_ / folder)) MirrorFolder(previous_ / folder, mirror_, missing);
  }
  fs::current_path(mirror_);
}

TContentWithout::~TContentWithout() {
  fs::current_path(previous_);
  std::error_code ignored;
  fs::remove_all(mirror_, ignored);
}
