// The common base of a race (Tworld): what the time attack and the two-player race share,
// their set-up parts, the race core they run on, the sound and the end-of-race sequence.
// The shell drives the modes through IMode.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "renderer/GlHandles.h"
#include "renderer/ULoaderObj.h"
#include "assets/Utype.h"
#include "modes/ModeInterface.h"
#include "modes/PadSeats.h"
#include "modes/RaceCore.h"
#include "modes/RaceScene.h"
#include "net/PersoRecord.h"
#include "world/HudLayout.h"
#include "world/ScreenFrame.h"
#include "platform/Window.h"

class TMap;
class Ttrack;
class TInterface;
class TSound;
class TGameOptions;
struct TTrackData;

// The eye rides this far above the craft's reference point: level with it, the terrain
// the craft may come within 10 units of would hide the craft.
inline constexpr double kEyeHeight = 10.0;
inline const char* const kDefaultMusic = "sounds/Background01.mp3";
inline const char* const kGeneratedTrackFile = "track_data/01.track";

// Draws a player's own craft moved by `offset` and scaled by `scale` in the eye's frame,
// under the current lens, its depth taken kCraftDepthScale times nearer: the same picture,
// never buried in a slope further than a few units.
void DrawOwnCraftInFront(const TObj& mesh, T_point offset, T_point scale);

class Tworld : public IMode {
 public:
  ~Tworld() override;
  Tworld(const Tworld&) = delete;
  Tworld& operator=(const Tworld&) = delete;

  // The end-of-race sequence: the last frame fades to white, the tiled backdrop and the
  // banner fade in, the banner falls back to 0.4, the result picture fades in.
  virtual void ShowRaceEnd(const TImg& banner, const TImg& picture);
  virtual void FadeToWhite();
  virtual void ShowTransition(const TImg& banner, const TImg& picture);
  virtual void ShowResult(const TImg& picture, std::uint32_t backdropList,
                          std::uint32_t bannerList);

  void Run(int effectsVolume, std::string& result) override;

  // The sound values the race holds; the overlay changes them in place and the story
  // reads them back after a race.
  int MusicCell() const { return *musicCell_; }
  int EffectsCell() const { return *effectsCell_; }
  int TimeLeft() const { return race_ ? race_->TimeLeft() : 0; }
  int InitialTime() const { return initialTime_; }
  const std::string& MusicPath() const { return musicPath_; }
  const TSound& Sound() const { return *sound_; }
  int CaughtCount() const;
  TRaceOutcome Outcome() const { return race_ ? race_->Outcome() : TRaceOutcome::kRunning; }
  int RingCount() const;
  const TMap& Map() const { return *map_; }
  const Ttrack& Track() const { return *track_; }
  // The crafts as the race's rules move them.
  const TRaceCore& Physics() const { return *race_; }
  const TImg& WinBanner() const { return winBanner_; }
  const TImg& LoseBanner() const { return loseBanner_; }
  const TImg& WinPicture() const { return winPicture_; }
  const TImg& LosePicture() const { return losePicture_; }
  const TImg& Backdrop() const { return backdrop_; }

 protected:
  Tworld(int screenWidth, int screenHeight);

  // The five end-of-race pictures at their places, scaled to the window.
  void LoadEndPictures();
  // Something a mode draws over the result picture (the time attack's score).
  virtual void DrawResultExtras() {}
  // The compass of a player at `player` turned by `rotation`, aiming at the ring after
  // the `caughtCount` caught.
  TCompassData CompassFor(T_point player, T_point rotation, int caughtCount) const;
  // Takes the craft, terrain, course and first HUD of a scene built for this race.
  void TakeScene(TRaceScene& scene);
  // With the world's view on the modelview: raises the view as far as the eye and the
  // depth spot of the own craft drawn at `craftOffset` need to clear the drawn terrain.
  void KeepViewAboveTerrain(T_point craftOffset) const;
  // This frame's keys; the Escape press only while the overlay is closed, so a press
  // made while it is open waits for it to close.
  TRaceInput ReadRaceInput(bool readEscapePress) const;
  // The wind follows the craft's speed within the effects volume.
  void UpdateWind(double speed);
  // The race is drawn in the window's centred 4:3 frame, laid out in frame units.
  TScreenFrame Frame() const { return WindowFrame(screenWidth_, screenHeight_); }
  // Paints the bars outside the frame black; every race frame does it before it is shown.
  void BlankBars() const;
  // Draws a picture laid out in the 800-wide end frame (top-left corner, y down).
  void DrawEndImage(const TImg& image) const;
  void SetEndProjection() const;
  void EndFrame() const;
  // Frames until `done(value)`, the fade value stepping by `delta` at most every 5 ms.
  void RunFade(double start, double delta, const std::function<bool(double)>& done,
               const std::function<void(double)>& draw) const;

  wnd::TDrawableWidth screenWidth_;  // the window's, as it is now
  wnd::TDrawableHeight screenHeight_;
  std::unique_ptr<TObj> craft_;
  std::unique_ptr<TMap> map_;
  std::unique_ptr<Ttrack> track_;
  std::unique_ptr<TInterface> hud_;
  // The rules of the race: flight, clock, rings, overlay state, result.
  std::unique_ptr<TRaceCore> race_;
  // The pad each player flies with; read while the race's input is read, hence mutable.
  mutable TPadSeats padSeats_;
  T_point cameraOffset_{0.0, 200.0, 0.0};
  T_point firstStart_ = kFirstStart;
  std::string mapPath_;
  std::string trackPath_;
  std::unique_ptr<TSound> sound_;
  std::unique_ptr<TGameOptions> options_;
  TImg winBanner_, loseBanner_, winPicture_, losePicture_, backdrop_;
  TTexture endTextures_[5];  // owns the five pictures' textures
  int initialTime_ = 10;
  std::string musicPath_;
  std::unique_ptr<int> musicCell_ = std::make_unique<int>(0);
  std::unique_ptr<int> effectsCell_ = std::make_unique<int>(0);
};
