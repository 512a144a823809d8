#include "modes/Uworld.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/Textures.h"
#include "frontend/UGameOptions.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "platform/Window.h"
#include "sound/USound.h"
#include "world/CraftView.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

namespace {

struct TEndPictureLayout {
  const char* path;
  double width, height, left, top;
};

// The five end-of-race pictures, laid out in an 800-wide frame (top-left, y down).
constexpr TEndPictureLayout kEndPictures[5] = {
    {"img/win_lose/transition_win.tga", 703, 164, 57, 189},
    {"img/win_lose/transition_lose.tga", 705, 162, 57, 189},
    {"img/win_lose/win.tga", 517, 256, 175, 147},
    {"img/win_lose/lose.tga", 517, 412, 155, 117},
    {"img/win_lose/sakura_no_ame.tga", 518, 306, 0, 0},
};

}  // namespace

Tworld::Tworld(int screenWidth, int screenHeight)
    : screenWidth_(screenWidth), screenHeight_(screenHeight) {}

// Pictures and lists of a race go with it: a player may race all evening, and every race
// loads its own.
Tworld::~Tworld() {
  for (std::uint32_t& texture : endTextures_) {
    if (texture != 0) glDeleteTextures(1, &texture);
    texture = 0;
  }
}

void Tworld::Run(int, std::string& result) { result = "MENU"; }

int Tworld::CaughtCount() const { return track_ ? track_->CaughtCount() : 0; }

int Tworld::RingCount() const { return track_ ? track_->RingCount() : 0; }

void Tworld::LoadEndPictures() {
  TImg* pictures[5] = {&winBanner_, &loseBanner_, &winPicture_, &losePicture_, &backdrop_};
  const double scale = static_cast<double>(kFrameUnitsWidth) / 800.0;
  for (int i = 0; i < 5; ++i) {
    TImg& image = *pictures[i];
    image = TImg{};
    image.path = kEndPictures[i].path;
    image.width = kEndPictures[i].width;
    image.height = kEndPictures[i].height;
    image.x = kEndPictures[i].left;
    image.y = kEndPictures[i].top;
    image.scale = scale;
    LoadTexture(image.path, image.texture);
    endTextures_[i] = image.texture;
  }
}

TCompassData Tworld::CompassFor(T_point player, T_point rotation) const {
  TCompassData compass;
  compass.target = CompassTarget(track_->Rings(), track_->CaughtCount());
  compass.player = player;
  compass.rotation = rotation;
  compass.terrain = map_->Terrain();
  return compass;
}

void Tworld::BuildTerrainAndCourse(const TTrackData& data) {
  const t_rain& t = data.terrain;
  map_ = std::make_unique<TMap>(data.heightmapPath, t.accuracy, t.cellSize, t.maxHeight,
                                t.groundTexturePath, t.terrainTexturePath, t.skyTexturePath,
                                t.material);
  map_->UseCoarserFarBlocks();
  track_ = std::make_unique<Ttrack>(data.rings, map_->Terrain(), craft_->BoundingBox());
}

void Tworld::SetRaceProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 1.3333333333333333, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void DrawOwnCraftInFront(const TObj& mesh, T_point offset, T_point scale) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  // Scaling the eye's frame before the lens keeps every point's place on the screen and
  // brings its depth nearer; the lights still see the craft where it was.
  glScaled(kCraftDepthScale, kCraftDepthScale, kCraftDepthScale);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslated(offset.x, offset.y, offset.z);
  glScaled(scale.x, scale.y, scale.z);
  mesh.Draw();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

// The modelview takes world points to the eye's frame by a turn and a move; its inverse
// gives the eye's and the craft's world places.
void Tworld::KeepViewAboveTerrain(T_point craftOffset) const {
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  auto toWorld = [&m](T_point e) {
    const double d[3] = {e.x - m[12], e.y - m[13], e.z - m[14]};
    return T_point{m[0] * d[0] + m[1] * d[1] + m[2] * d[2], m[4] * d[0] + m[5] * d[1] + m[6] * d[2],
                   m[8] * d[0] + m[9] * d[1] + m[10] * d[2]};
  };
  const double k = kCraftDepthScale;
  const T_point spot{craftOffset.x * k, craftOffset.y * k, craftOffset.z * k};
  const double lift = ViewLift(map_->Terrain(), toWorld({0.0, 0.0, 0.0}), toWorld(spot));
  if (lift > 0.0) glTranslated(0.0, -lift, 0.0);
}

void Tworld::BlankBars() const { BlankOutsideFrame(Frame(), screenWidth_, screenHeight_); }

void Tworld::StartClock() {
  timeLeft_ = initialTime_;
  secondMark_ = wnd::GetTickCount();
}

void Tworld::TickClock() {
  TRaceClock clock{timeLeft_, secondMark_};
  clock.Tick(wnd::GetTickCount());
  timeLeft_ = clock.timeLeft;
  secondMark_ = clock.lastSecondMark;
}

void Tworld::UpdateWind(double speed) {
  if (*effectsCell_ != 0) {
    sound_->SetEffectsVolume(WindVolume(speed, *effectsCell_));
  } else {
    sound_->EffectsOff();
  }
}
