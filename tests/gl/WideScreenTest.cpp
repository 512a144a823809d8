// The race's HUD on windows of other shapes: it sits in the window's centred 4:3 frame and
// keeps its place there, the compass arrow inside its dial. Each window size is drawn into
// an off-screen buffer of that size, since the test window is 1024 x 768.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/gl/GlTestSupport.h"
#include "tools/writers/ImageWriters.h"
#include "tools/writers/MeshWriter.h"
#include "world/HudLayout.h"
#include "world/ScreenFrame.h"
#include "world/Uinterface.h"

namespace fs = std::filesystem;

namespace {

const TRgb kTimerColour{90, 90, 90};
const TRgb kLanternColour{60, 60, 60};

// The timer picture's compass window is centred on its pixel (324, 118) of 444 x 249.
constexpr double kDialPixelX = 324.0, kDialPixelY = 118.0;

// A window-sized colour and depth buffer, drawn into while it lives.
class TOffscreen {
 public:
  TOffscreen(int width, int height) : width_(width), height_(height) {
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(2, buffers_);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers_[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers_[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers_[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              buffers_[1]);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glViewport(0, 0, width, height);
  }
  ~TOffscreen() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, buffers_);
    glDeleteFramebuffers(1, &framebuffer_);
    glViewport(0, 0, 1024, 768);
  }
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;

  bool Complete() const { return complete_; }
  // The whole picture, top row first, three bytes a pixel.
  void Read() {
    pixels_.assign(static_cast<std::size_t>(width_) * height_ * 3, 0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
  }
  // x from the left, y from the top.
  TRgb At(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 3;
    return {pixels_[at], pixels_[at + 1], pixels_[at + 2]};
  }

 private:
  int width_, height_;
  GLuint framebuffer_ = 0;
  GLuint buffers_[2] = {0, 0};
  bool complete_ = false;
  std::vector<unsigned char> pixels_;
};

struct TPlace {
  double x, y;  // window pixels from the top-left
};

// A point of the HUD's 1024 x 768 layout (centre origin, y up) in a window's frame.
TPlace InFrame(const TScreenFrame& frame, int windowHeight, double ux, double uy) {
  const double sx = static_cast<double>(frame.width) / kFrameUnitsWidth;
  const double sy = static_cast<double>(frame.height) / kFrameUnitsHeight;
  const double top = windowHeight - frame.y - frame.height;
  return {frame.x + (ux + kFrameUnitsWidth / 2.0) * sx, top + (kFrameUnitsHeight / 2.0 - uy) * sy};
}

class WideScreenHud : public testing::TestWithParam<std::pair<int, int>> {
 protected:
  void SetUp() override {
    FreshGlPlatform();
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("velmora_wide_hud_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    // The arrow: a cyan square about its own centre, so its pixels' centre is its place.
    TMeshData arrow;
    arrow.vertices = {{-2, -2, 0}, {2, -2, 0}, {2, 2, 0}, {-2, 2, 0}};
    arrow.normals = {{0, 0, 1}};
    arrow.groups.push_back({"g", "arrow", {{{0, 1, 2, 3}, {0, 0, 0, 0}, {}}}});
    arrow.materials.push_back({"arrow", {0, 1, 1}, {0, 1, 1}, {}, 0.0});
    WriteMesh("mesh/fleche.obj", arrow);
    WriteTga("img/timer.tga", Solid(kTimerColour), false);
    WriteTga("img/lanternes_score.tga", Solid(kLanternColour), false);
    for (int d = 0; d < 10; ++d) {
      WriteTga("img/timer_numbers_/" + std::to_string(d) + ".tga", Solid(DigitColour(d)), false);
      WriteTga("img/score_numbers_/" + std::to_string(d) + ".tga", Solid(DigitColour(d)), true);
    }
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }
  fs::path previous_;
  fs::path dir_;
};

// Whatever colour the lights give the arrow, it is none of the panels' and digits'.
bool HudPictureColour(TRgb c) {
  if (Near(c, {0, 0, 0}, 12) || Near(c, kTimerColour, 12) || Near(c, kLanternColour, 12)) return true;
  for (int d = 0; d < 10; ++d) {
    if (Near(c, DigitColour(d), 12)) return true;
  }
  return false;
}

// The centre of the arrow's pixels in the top quarter of the window.
TPlace ArrowCentre(const TOffscreen& shot, int width, int height, int& count) {
  double sx = 0, sy = 0;
  count = 0;
  for (int y = 0; y < height / 4; ++y) {
    for (int x = 0; x < width; ++x) {
      const TRgb c = shot.At(x, y);
      if (!HudPictureColour(c)) {
        sx += x;
        sy += y;
        ++count;
      }
    }
  }
  return count > 0 ? TPlace{sx / count, sy / count} : TPlace{-1, -1};
}

TEST_P(WideScreenHud, TheArrowSitsInItsDialAndThePicturesKeepTheirPlaceInTheFrame) {
  const auto [width, height] = GetParam();
  TOffscreen shot(width, height);
  ASSERT_TRUE(shot.Complete());
  TInterface hud(0, kFrameUnitsWidth, kFrameUnitsHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  TCompassData compass;
  compass.target = {0, 0, -100};  // straight ahead: the arrow at rest
  hud.DrawFrame(compass, 3, false, 7);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], width) << "the race's viewport is given back";
  shot.Read();

  const TScreenFrame frame = WindowFrame(width, height);
  const TImg timer = TimerPanelImg(kFrameUnitsWidth, kFrameUnitsHeight);
  const double s = timer.scale;
  const TPlace dial = InFrame(frame, height, timer.x + timer.dx + (kDialPixelX - timer.width / 2) * s,
                              timer.y + timer.dy + (timer.height / 2 - kDialPixelY) * s);
  int count = 0;
  const TPlace arrow = ArrowCentre(shot, width, height, count);
  ASSERT_GT(count, 20) << "the arrow is drawn";
  EXPECT_LT(std::hypot(arrow.x - dial.x, arrow.y - dial.y), 0.02 * frame.width)
      << "arrow at (" << arrow.x << ", " << arrow.y << "), dial at (" << dial.x << ", " << dial.y << ")";

  // The digits and panels where the 1024 x 768 layout puts them, scaled into the frame.
  const double scoreX[5] = {-454.5, -397.5, -340.5, -283.5, -226.5};
  const int scoreDigits[5] = {0, 0, 0, 3, 0};
  for (int slot = 0; slot < 5; ++slot) {
    const TPlace p = InFrame(frame, height, scoreX[slot], 314.5);
    EXPECT_TRUE(Near(shot.At(int(p.x), int(p.y)), DigitColour(scoreDigits[slot]), 6)) << "score slot " << slot;
  }
  const TPlace tens = InFrame(frame, height, -63.6, 328.6);
  const TPlace units = InFrame(frame, height, -24.4, 328.6);
  EXPECT_TRUE(Near(shot.At(int(tens.x), int(tens.y)), DigitColour(0), 6));
  EXPECT_TRUE(Near(shot.At(int(units.x), int(units.y)), DigitColour(7), 6));
  const TPlace lantern = InFrame(frame, height, -182, 360);
  EXPECT_TRUE(Near(shot.At(int(lantern.x), int(lantern.y)), kLanternColour, 6)) << "lantern panel";
  const TPlace timerBody = InFrame(frame, height, 80, 300);
  EXPECT_TRUE(Near(shot.At(int(timerBody.x), int(timerBody.y)), kTimerColour, 6)) << "timer panel";
  // Nothing is drawn outside the frame: the lantern panel's row is black in a side bar.
  if (frame.x > 2) {
    EXPECT_TRUE(Near(shot.At(frame.x / 2, int(lantern.y)), {0, 0, 0}, 6));
  }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, WideScreenHud,
                         testing::Values(std::make_pair(1024, 768), std::make_pair(1920, 1080),
                                         std::make_pair(1280, 1024)));

TEST(ScreenFrame, IsTheLargestCentred4By3RectangleAndSplitsInTwoHalves) {
  const TScreenFrame same = WindowFrame(1024, 768);
  EXPECT_EQ(same.x, 0);
  EXPECT_EQ(same.width, 1024);
  EXPECT_EQ(same.height, 768);
  const TScreenFrame wide = WindowFrame(1920, 1080);
  EXPECT_EQ(wide.x, 240);
  EXPECT_EQ(wide.y, 0);
  EXPECT_EQ(wide.width, 1440);
  EXPECT_EQ(wide.height, 1080);
  const TScreenFrame tall = WindowFrame(1280, 1024);
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 32);
  EXPECT_EQ(tall.width, 1280);
  EXPECT_EQ(tall.height, 960);
  const TScreenFrame upper = HalfFrame(same, 1);
  const TScreenFrame lower = HalfFrame(same, 2);
  EXPECT_EQ(upper.y, 384);
  EXPECT_EQ(upper.height, 384);
  EXPECT_EQ(lower.y, 0);
  EXPECT_EQ(lower.height, 384);
}

}  // namespace
