// The story: four seasons in order, each introduced by a film, with the save screen
// between two won seasons and the autosave before each. It runs no race of its own:
// each season is a time-attack race it builds, runs, reads back and frees.
#pragma once

#include <memory>
#include <string>

#include "assets/Utype.h"
#include "frontend/Bouton.h"
#include "frontend/MenuTextures.h"
#include "modes/ModeInterface.h"
#include "saves/USave.h"
#include "platform/Window.h"

class Tpanel;
class TTimeAttack;

class TScreenplay : public IMode {
 public:
  // slot -1: a new story; 1 to 3: continue from that save slot; 0: the quick load,
  // which resumes from the autosave when it is valid and starts anew otherwise.
  TScreenplay(int screenWidth, int screenHeight, int musicVolume, int slot,
              const std::string& saveFolder = "save");
  ~TScreenplay() override;
  TScreenplay(const TScreenplay&) = delete;
  TScreenplay& operator=(const TScreenplay&) = delete;

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
  // The volumes the story hands each season's race; a race's overlay may change them,
  // and the next season starts with what the last one left.
  int MusicVolume() const { return musicVolume_; }
  int EffectsVolume() const { return effectsVolume_; }

 private:
  void BuildSeasons();
  void BuildSaveScreen();
  int RunSaveScreen(int nextSeason);

  wnd::TDrawableWidth screenWidth_;  // the window's, as it is now
  wnd::TDrawableHeight screenHeight_;
  int musicVolume_;
  int effectsVolume_ = 0;
  int season_ = 0;
  T_Tab_TrackFile seasons_;
  // The season being raced, built while its film plays and freed once it is read back.
  std::unique_ptr<TTimeAttack> race_;
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
