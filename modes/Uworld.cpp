#include "modes/Uworld.h"

#include "renderer/RaceViewDraw.h"
#include "renderer/Textures.h"
#include "frontend/UGameOptions.h"
#include "modes/RaceRules.h"
#include "modes/TrackFile.h"
#include "platform/Gamepads.h"
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

// Pictures and lists of a race go with it (their handles give them back): a player may
// race all evening, and every race loads its own.
Tworld::~Tworld() = default;

void Tworld::Run(int, std::string& result) { result = "MENU"; }

int Tworld::CaughtCount() const {
  if (race_) return race_->CaughtCount();
  return track_ ? track_->CaughtCount() : 0;
}

int Tworld::RingCount() const {
  if (race_) return race_->RingCount();
  return track_ ? track_->RingCount() : 0;
}

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
    endTextures_[i] = TTexture(image.texture);
  }
}

TCompassData Tworld::CompassFor(T_point player, T_point rotation, int caughtCount) const {
  TCompassData compass;
  compass.target = CompassTarget(race_->Rings(), caughtCount);
  compass.player = player;
  compass.rotation = rotation;
  compass.terrain = map_->Terrain();
  return compass;
}

void Tworld::TakeScene(TRaceScene& scene) {
  craft_ = std::move(scene.craft);
  map_ = std::move(scene.map);
  track_ = std::move(scene.track);
  hud_ = std::move(scene.hud);
}

void DrawOwnCraftInFront(const TObj& mesh, T_point offset, T_point scale) {
  DrawCraftInFrontOfEye(mesh, offset, scale, kCraftDepthScale);
}

// The craft's depth spot is where its depth is taken: kCraftDepthScale of its offset.
void Tworld::KeepViewAboveTerrain(T_point craftOffset) const {
  const double k = kCraftDepthScale;
  T_point eye, spot;
  WorldPlacesOfEye({craftOffset.x * k, craftOffset.y * k, craftOffset.z * k}, eye, spot);
  const double lift = ViewLift(map_->Terrain(), eye, spot);
  if (lift > 0.0) LiftView(lift);
}

void Tworld::BlankBars() const { BlankOutsideFrame(Frame(), screenWidth_, screenHeight_); }

TRaceInput Tworld::ReadRaceInput(bool readEscapePress) const {
  TRaceInput input;
  input.now = wnd::GetTickCount();
  // Losing the focus (another window, the window minimised) pauses the race as Escape
  // does; while the overlay is open, or in a network race nobody can pause, it is dropped.
  // A pad's Start pauses too; all are asked so no press is left pending.
  const bool focusLost = wnd::TakeFocusLost();
  const bool escapePressed = readEscapePress && (wnd::KeyPressed(wnd::KEY_ESC) || focusLost);
  const bool startPressed = readEscapePress && wnd::Gamepads().ButtonPressed(wnd::TPadButton::Start);
  input.keys = ReadRaceKeys(padSeats_, race_->Kind(), [](int code) { return wnd::GetKey(code) == wnd::PRESS; },
                            escapePressed || startPressed);
  return input;
}

void Tworld::UpdateWind(double speed) {
  if (*effectsCell_ != 0) {
    sound_->SetEffectsVolume(WindVolume(speed, *effectsCell_));
  } else {
    sound_->EffectsOff();
  }
}
