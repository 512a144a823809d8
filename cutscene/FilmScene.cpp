#include "cutscene/FilmScene.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

#include "cutscene/Timeline.h"
#include "renderer/FilmDraw.h"
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

// The colour at height y of the screen, darker at its edges.
TFlatColourVertex ShadeVertex(const TShade& shade, double x, double y, double height, bool edge) {
  const float u = static_cast<float>(y / height);
  const float k = edge ? shade.edge : 1.0f;
  return {k * (shade.bottom.r + (shade.top.r - shade.bottom.r) * u),
          k * (shade.bottom.g + (shade.top.g - shade.bottom.g) * u),
          k * (shade.bottom.b + (shade.top.b - shade.bottom.b) * u), x, y};
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
  // Mipmapped distances: without them the terrain's repeated texture sparkles as the
  // camera moves.
  UseMipmapsWhenFar(map_->Terrain().terrainTexture);
  UseMipmapsWhenFar(map_->Terrain().groundTexture);
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
    cards_.push_back(std::move(textures));
  }
}

void TFilmScene::Draw(double t) const {
  BeginFilmFrame(width_, height_);
  if (map_) DrawWorld(t);
  // Everything else is flat, in screen pixels.
  BeginFilmFlat(width_, height_);
  if (map_) DrawShades();
  DrawLetterbox();
  DrawCards(t);
  DarkenFlat(width_, height_, BlackAlpha(t, seconds_));
}

void TFilmScene::DrawWorld(double t) const {
  const TCameraPose pose = camera_->PoseAt(t);
  LookThroughFilmLens(kFieldOfView, static_cast<double>(width_) / height_, kNear, kFar, pose.eye,
                      pose.target);
  backdrop_->DrawSky(pose.eye);
  // The ground fades into the horizon's colour with distance, so the terrain's edge and
  // the plain beyond it melt into the sky.
  const TFilmColour& horizon = plan_.sky.horizon;
  BeginFilmHaze(horizon.r, horizon.g, horizon.b, hazeStart_, hazeEnd_);
  // The terrain without the ground plane its list holds: the disc stands in for the
  // plane and is drawn last, where the terrain leaves the ground to be seen.
  BeginAboveHeight(kDiscHeight);
  map_->Draw();
  EndAboveHeight();
  backdrop_->DrawGround(pose.eye);
  EndFilmHaze();
}

// One fan from the middle of the screen to sixteen points round its border.
void TFilmScene::DrawShades() const {
  const TShade& shade = plan_.ending ? kDusk : kDaylight;
  const double w = width_;
  const double h = height_;
  std::vector<TFlatColourVertex> fan{ShadeVertex(shade, w / 2.0, h / 2.0, h, false)};
  for (int k = 0; k <= 16; ++k) {
    const int side = (k % 16) / 4;
    const double u = (k % 4) / 4.0;
    const std::array<double, 4> xs{u * w, w, w - u * w, 0.0};
    const std::array<double, 4> ys{0.0, u * h, h, h - u * h};
    fan.push_back(ShadeVertex(shade, xs[side], ys[side], h, true));
  }
  MultiplyByFan(fan);
}

void TFilmScene::DrawLetterbox() const {
  const double bar = std::round(kLetterbox * height_);
  FillFlatRect(0.0, 0.0, width_, bar, 0.0f, 0.0f, 0.0f, 1.0f);
  FillFlatRect(0.0, height_ - bar, width_, height_, 0.0f, 0.0f, 0.0f, 1.0f);
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
