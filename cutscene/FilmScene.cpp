#include "cutscene/FilmScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>

#include "cutscene/Timeline.h"
#include "world/Umap.h"

namespace {

constexpr double kFieldOfView = 50.0;  // degrees, vertical
constexpr double kNear = 8.0;  // the camera keeps far more than this above the ground
constexpr double kFar = 60000.0;  // past the sky dome
constexpr double kLetterbox = 0.085;  // each bar, as a share of the height
constexpr double kTitleDrift = 0.035;  // how much a title grows while it shows
constexpr double kGroundTileCells = 10.0;

struct TRgb {
  float r, g, b;
};

// The light laid over the picture by multiplying: a colour from the top of the screen to
// its bottom, darker towards the edges.
struct TShade {
  TRgb top, bottom;
  float edge;
};

constexpr TShade kDaylight{{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, 0.62f};
constexpr TShade kDusk{{0.85f, 0.78f, 0.88f}, {1.0f, 0.78f, 0.62f}, 0.55f};

// Mipmapped distances: without them the terrain's repeated texture sparkles as the
// camera moves. The images were uploaded with their mipmaps already.
void SmoothWhenFar(std::uint32_t texture) {
  if (texture == 0) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

void ShadeVertex(const TShade& shade, double x, double y, double height, bool edge) {
  const float u = static_cast<float>(y / height);
  const float k = edge ? shade.edge : 1.0f;
  glColor3f(k * (shade.bottom.r + (shade.top.r - shade.bottom.r) * u),
            k * (shade.bottom.g + (shade.top.g - shade.bottom.g) * u),
            k * (shade.bottom.b + (shade.top.b - shade.bottom.b) * u));
  glVertex2d(x, y);
}

void FillRect(double x0, double y0, double x1, double y1) {
  glBegin(GL_QUADS);
  glVertex2d(x0, y0);
  glVertex2d(x1, y0);
  glVertex2d(x1, y1);
  glVertex2d(x0, y1);
  glEnd();
}

}  // namespace

TFilmScene::TFilmScene(const TFilmPlan& plan, const TFilmTrack& track, double seconds,
                       int width, int height)
    : plan_(plan), seconds_(seconds), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  cardScale_ = CardTimeScale(plan_, seconds_);
  BuildTerrain(track);
  camera_.emplace(map_ ? map_->Terrain() : track.terrain, seconds_, plan_.ending, plan_.number);
  BuildCards();
}

TFilmScene::~TFilmScene() = default;

void TFilmScene::BuildTerrain(const TFilmTrack& track) {
  const t_rain& t = track.terrain;
  try {
    map_ = std::make_unique<TMap>(t.heightmapPath, t.accuracy, t.cellSize, t.maxHeight,
                                  t.groundTexturePath, t.terrainTexturePath, t.skyTexturePath,
                                  t.material);
  } catch (const std::exception& error) {
    std::printf("film %d: no terrain to fly over: %s\n", plan_.number, error.what());
    std::fflush(stdout);
    return;
  }
  SmoothWhenFar(map_->Terrain().terrainTexture);
  SmoothWhenFar(map_->Terrain().groundTexture);
  const t_rain& built = map_->Terrain();
  // The grass beyond the terrain repeats every few cells, as the terrain's texture
  // repeats every cell.
  backdrop_.emplace(plan_.sky, built.groundTexture, kGroundTileCells * built.cellSize);
  const double width = std::max(built.Rows(), built.Cols()) * built.cellSize;
  hazeStart_ = plan_.sky.hazeStart * width;
  hazeEnd_ = std::max(plan_.sky.hazeEnd * width, hazeStart_ + 1.0);
}

void TFilmScene::BuildCards() {
  for (const TFilmCard& card : plan_.cards) {
    TCardTextures textures;
    textures.card = card;
    textures.first = MakeTextTexture(card.title, card.credits ? TTextStyle::Credit : TTextStyle::Title, height_);
    textures.second = MakeTextTexture(card.subtitle, card.credits ? TTextStyle::Note : TTextStyle::Subtitle, height_);
    cards_.push_back(textures);
  }
}

void TFilmScene::Draw(double t) const {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, width_, height_);
  if (map_) DrawWorld(t);
  // Everything else is flat, in screen pixels.
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, width_, 0.0, height_);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_BLEND);
  if (map_) DrawShades();
  DrawLetterbox();
  DrawCards(t);
  DrawBlack(BlackAlpha(t, seconds_));
}

void TFilmScene::DrawWorld(double t) const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfView, static_cast<double>(width_) / height_, kNear, kFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const TCameraPose pose = camera_->PoseAt(t);
  gluLookAt(pose.eye.x, pose.eye.y, pose.eye.z, pose.target.x, pose.target.y, pose.target.z,
            0.0, 1.0, 0.0);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  backdrop_->DrawSky(pose.eye);
  SetHaze();
  // The terrain without the ground plane its list holds: the disc stands in for the
  // plane and is drawn last, where the terrain leaves the ground to be seen.
  const GLdouble aboveGround[4] = {0.0, 1.0, 0.0, -kDiscHeight};
  glClipPlane(GL_CLIP_PLANE0, aboveGround);
  glEnable(GL_CLIP_PLANE0);
  glEnable(GL_TEXTURE_2D);
  map_->Draw();
  glDisable(GL_CLIP_PLANE0);
  backdrop_->DrawGround(pose.eye);
  glDisable(GL_FOG);
}

// The ground fades into the horizon's colour with distance, so the terrain's edge and
// the plain beyond it melt into the sky.
void TFilmScene::SetHaze() const {
  const GLfloat colour[4] = {plan_.sky.horizon.r, plan_.sky.horizon.g, plan_.sky.horizon.b, 1.0f};
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, colour);
  glFogf(GL_FOG_START, static_cast<GLfloat>(hazeStart_));
  glFogf(GL_FOG_END, static_cast<GLfloat>(hazeEnd_));
  glHint(GL_FOG_HINT, GL_NICEST);
  glEnable(GL_FOG);
}

// One fan from the middle of the screen to sixteen points round its border.
void TFilmScene::DrawShades() const {
  const TShade& shade = plan_.ending ? kDusk : kDaylight;
  const double w = width_;
  const double h = height_;
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glBegin(GL_TRIANGLE_FAN);
  ShadeVertex(shade, w / 2.0, h / 2.0, h, false);
  for (int k = 0; k <= 16; ++k) {
    const int side = (k % 16) / 4;
    const double u = (k % 4) / 4.0;
    const std::array<double, 4> xs{u * w, w, w - u * w, 0.0};
    const std::array<double, 4> ys{0.0, u * h, h, h - u * h};
    ShadeVertex(shade, xs[side], ys[side], h, true);
  }
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void TFilmScene::DrawLetterbox() const {
  const double bar = std::round(kLetterbox * height_);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  FillRect(0.0, 0.0, width_, bar);
  FillRect(0.0, height_ - bar, width_, height_);
}

void TFilmScene::DrawCards(double t) const {
  for (const TCardTextures& c : cards_) {
    const double alpha = CardAlpha(c.card, t, cardScale_);
    if (alpha <= 0.0) continue;
    const double drift = 1.0 + kTitleDrift * CardProgress(c.card, t, cardScale_);
    const double x = width_ / 2.0;
    if (c.card.credits) {
      DrawTextTexture(c.first, x, 0.53 * height_, alpha, 1.0);
      DrawTextTexture(c.second, x, 0.45 * height_, alpha, 1.0);
    } else {
      DrawTextTexture(c.first, x, 0.55 * height_, alpha, drift);
      DrawTextTexture(c.second, x, 0.43 * height_, alpha, 1.0);
    }
  }
}

void TFilmScene::DrawBlack(double alpha) const {
  if (alpha <= 0.0) return;
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, static_cast<float>(std::min(alpha, 1.0)));
  FillRect(0.0, 0.0, width_, height_);
}
