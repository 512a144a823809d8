// The playable modes: the common base of a race (Tworld), the time-attack race, the
// two-player race and the story mode. The shell drives them through IMode.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "renderer/ULoaderObj.h"
#include "assets/Utype.h"
#include "frontend/Bouton.h"
#include "frontend/MenuTextures.h"
#include "modes/ModeInterface.h"
#include "modes/RaceCore.h"
#include "net/PersoRecord.h"
#include "saves/USave.h"
#include "world/HudLayout.h"
#include "world/ScreenFrame.h"

class TMap;
class Ttrack;
class TInterface;
class TSound;
class TGameOptions;
class Tpanel;
class TSocketLink;
struct TTrackData;

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
  // The terrain and the rings a track file describes (the craft is loaded first).
  void BuildTerrainAndCourse(const TTrackData& data);
  // The race's lens: 15 degrees at a fixed 4:3, whatever the window's shape.
  static void SetRaceProjection();
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

  int screenWidth_;
  int screenHeight_;
  std::unique_ptr<TObj> craft_;
  std::unique_ptr<TMap> map_;
  std::unique_ptr<Ttrack> track_;
  std::unique_ptr<TInterface> hud_;
  // The rules of the race: flight, clock, rings, overlay state, result.
  std::unique_ptr<TRaceCore> race_;
  T_point cameraOffset_{0.0, 200.0, 0.0};
  T_point firstStart_ = kFirstStart;
  std::string mapPath_;
  std::string trackPath_;
  std::unique_ptr<TSound> sound_;
  std::unique_ptr<TGameOptions> options_;
  TImg winBanner_, loseBanner_, winPicture_, losePicture_, backdrop_;
  std::uint32_t endTextures_[5] = {0, 0, 0, 0, 0};
  int initialTime_ = 10;
  std::string musicPath_;
  std::unique_ptr<int> musicCell_ = std::make_unique<int>(0);
  std::unique_ptr<int> effectsCell_ = std::make_unique<int>(0);
};

class TTimeAttack : public Tworld {
 public:
  // A generated course of rings over the winter terrain, ten seconds on the clock.
  static std::unique_ptr<TTimeAttack> CreateDefault(int screenWidth, int screenHeight,
                                                    int musicVolume);
  // The race of the entry's track file; an entry whose file name does not end in
  // ".track" gives the default race. A file that does not read throws std::runtime_error.
  static std::unique_ptr<TTimeAttack> CreateFromTrack(const T_TrackFile& track,
                                                      int screenWidth, int screenHeight,
                                                      int musicVolume, int baseScore);
  // After a generated course, writes it to "track_data/01.track".
  ~TTimeAttack() override;

  void Run(int effectsVolume, std::string& result) override;

  bool LoadedFromFile() const { return loadedFromFile_; }
  int BaseScore() const { return baseScore_; }
  int Score() const { return score_; }
  // One frame of the race loop as Run draws it, the overlay closed (for measurements).
  void PlayFrame();

 protected:
  void DrawResultExtras() override;

 private:
  TTimeAttack(int screenWidth, int screenHeight);
  void BuildDefault(int musicVolume);
  void BuildFromFile(const std::string& fileName, int musicVolume, int baseScore);
  void BuildRaceParts(int musicVolume);
  void WriteGeneratedCourse() const;
  // One frame of the loop: the race core decides, this draws and plays.
  void RaceFrame();
  void DrawCraft() const;
  void DrawWorld(const TPlayerPass& pass);

  bool loadedFromFile_ = false;
  int baseScore_ = 0;
  int score_ = 0;
};

class TTwoPlayers : public Tworld {
 public:
  // Both variants race on the first entry's track file. `local`: the split screen.
  // Otherwise the network race: this instance hosts when it can take the relay port
  // (or `hosting` asks for it), and joins the host at `joinAddress` when one is given.
  TTwoPlayers(int screenWidth, int screenHeight, const T_Tab_TrackFile& tracks,
              int musicVolume, bool local, bool hosting, const std::string& joinAddress = "");
  ~TTwoPlayers() override;

  void Run(int effectsVolume, std::string& result) override;
  void RunLocal(int effectsVolume, std::string& result) override;

  bool Hosting() const { return hosting_; }
  bool Local() const { return local_; }
  int PlayerNumber() const { return playerNumber_; }
  const TPerso& FirstPlayer() const { return race_->Record(1); }
  const TPerso& SecondPlayer() const { return race_->Record(2); }
  bool OtherPlayerGone() const { return otherGone_; }
  // A player's own craft in its half of the split screen, under the race's lens and the
  // current viewport.
  static void DrawSplitOwnCraft(const TObj& craft, int player);
  // Each half of the split screen has its HUD; the network race uses the first.
  const TInterface& Hud(int player) const { return player == 2 ? *secondHud_ : *hud_; }

 private:
  TRaceSetup RaceSetup(TRaceKind kind) const;
  void BuildNetwork(bool hosting, const std::string& joinAddress);
  void RunLocalFrame();
  void DrawHalf(int player, const TPlayerPass& pass);
  void RunNetworkFrame();
  void DrawNetworkWorld(const TPlayerPass& pass);
  void DrawNetworkNotices() const;
  void DrawPlaque(std::uint32_t texture, double x, double y, double w, double h) const;
  void ReportNetEvents(const TNetFrameEvents& events);
  void ReportLink(bool heard, bool gone);

  std::unique_ptr<TObj> secondCraft_;
  T_point secondPlayerPoint_{};
  T_point secondStart_ = kSecondStart;
  // The network race's link (with the relay on the host); the race core holds its rules.
  std::unique_ptr<TSocketLink> link_;
  std::unique_ptr<TInterface> secondHud_;
  std::uint32_t goneTexture_ = 0;
  std::uint32_t waitingTexture_ = 0;
  std::uint32_t countTextures_[3] = {0, 0, 0};  // 1, 2, 3
  int tracedSecond_ = -2;
  bool hosting_ = false;
  bool local_ = true;
  int playerNumber_ = 1;
  bool otherHeard_ = false;
  bool otherGone_ = false;
};

class TScreenplay : public Tworld {
 public:
  // slot -1: a new story; 1 to 3: continue from that save slot; 0: the quick load,
  // which resumes from the autosave when it is valid and starts anew otherwise.
  TScreenplay(int screenWidth, int screenHeight, int musicVolume, int slot,
              const std::string& saveFolder = "save");
  ~TScreenplay() override;

  void Run(int effectsVolume, std::string& result) override;

  // Builds, runs and frees one season's race; true when it was won.
  bool RunSeason(int index);
  // Starts the video program without waiting; a video that cannot start is no video.
  void PlayVideo(const T_video& video);
  // Waits seconds + 1 whole seconds, or until the space bar is down.
  void WaitVideo(int seconds);

  int Season() const { return season_; }
  int TotalScore() const { return totalScore_; }
  const std::string& Nickname() const { return nickname_; }
  const T_Tab_TrackFile& Seasons() const { return seasons_; }
  const T_Tab_video& Videos() const { return videos_; }

 private:
  void BuildSeasons();
  void BuildSaveScreen();
  int RunSaveScreen(int nextSeason);

  int season_ = 0;
  T_Tab_TrackFile seasons_;
  std::unique_ptr<TSave> saves_;
  TSavedGameList savedGames_{};
  int slot_ = 0;
  int totalScore_ = 0;
  std::string nickname_ = "nick";
  TTextureSet saveTextures_;
  std::unique_ptr<Tpanel> savePanel_;
  TTab_bouton saveButtons_;
  std::string saveBackgroundPath_ = "img/BckGrnd_save.jpg";
  T_Tab_video videos_;
};
