// Expected colours for the front end's GL tests, taken from the content's own pictures:
// a face, a button or a thumbnail must show the colour its picture has at that place.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "assets/Image.h"
#include "tests/gl/GlTestSupport.h"

// A picture as the game decodes it, loaded once per test run; null when it cannot be read.
const TImage* TestPicture(const std::string& path);

// The colour of a picture at texture coordinates (u, v), v up, averaged over a 3 x 3 texel
// block; `alpha` receives the block's alpha (255 for pictures without one).
TRgb PictureColour(const TImage& image, double u, double v, int* alpha = nullptr);

// Moves (u, v) by at most `reach` texels to a spot where the picture is even (5 x 5 texels
// within a few levels of each other, opaque), so that filtering cannot blur the
// expectation. False when there is none.
bool FindEvenSpot(const TImage& image, double& u, double& v, int reach = 24);

// A rectangle of the window in pixels on which a picture is stretched, texture (0, 1) at
// its top-left corner.
struct TScreenRect {
  double left = 0, top = 0, width = 1024, height = 768;
};
TScreenRect VirtualRect(double x, double y, double w, double h);  // 800 x 600 units

// A place of the window and the colour a picture puts there.
struct TPictureSpot {
  int x = 0;
  int y = 0;
  TRgb expected;
};

// Even spots of `path` near the given texture coordinates (v up), where the picture is
// stretched over `rect`. A picture that cannot be read fails, and so does a place without
// an even spot unless `skipUneven` (busy pictures such as heightmaps).
std::vector<TPictureSpot> PictureSpots(const std::string& path, const TScreenRect& rect,
                                       const std::vector<std::pair<double, double>>& near,
                                       bool skipUneven = false);

// The frame just presented, averaged over 3 x 3 pixels. Valid from a swap until the loop
// clears the frame: the software renderer keeps the presented picture in the back buffer
// (the front buffer cannot be read back on this display).
TRgb PresentedAverage(int x, int y);

// Compares the spots with the frame just presented; the number that matched.
int ExpectSpotsPresented(const std::vector<TPictureSpot>& spots, const std::string& label);
int ExpectPictureShown(const std::string& path, const TScreenRect& rect,
                       const std::vector<std::pair<double, double>>& near,
                       const std::string& label);

// Keeps the colours of some spots as every frame is presented, so that the last frame of a
// run can be checked after the loop has returned.
class TLastFrameProbe {
 public:
  explicit TLastFrameProbe(std::vector<TPictureSpot> spots) : spots_(std::move(spots)) {}
  void Record();
  int Expect(const std::string& label) const;

 private:
  std::vector<TPictureSpot> spots_;
  std::vector<TRgb> last_;
};

// Runs checks from inside a scripted run: a check added with Here() runs on the swap that
// presents the last frame of the script queued before it. Arm() once the script is done.
class TScriptCheckpoints {
 public:
  explicit TScriptCheckpoints(TScriptedPlatform& platform) : platform_(platform) {}
  ~TScriptCheckpoints() { platform_.onSwap = nullptr; }
  void Here(std::function<void()> check);
  // Runs on every swap (state that must hold throughout a run).
  void EveryFrame(std::function<void()> check) { everyFrame_ = std::move(check); }
  void Arm();
  int Ran() const { return ran_; }

 private:
  TScriptedPlatform& platform_;
  std::vector<std::pair<std::size_t, std::function<void()>>> checks_;
  std::function<void()> everyFrame_;
  std::size_t total_ = 0;
  int ran_ = 0;
};

// For the duration of a test: the working folder is a copy of the run folder's content
// (links to the files) without the files named, so the game meets missing content.
class TContentWithout {
 public:
  explicit TContentWithout(const std::vector<std::string>& missing);
  ~TContentWithout();
  TContentWithout(const TContentWithout&) = delete;
  TContentWithout& operator=(const TContentWithout&) = delete;

 private:
  std::filesystem::path previous_;
  std::filesystem::path mirror_;
};
