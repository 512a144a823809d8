// One film's picture at any moment: the flight over the season's terrain, the light of
// the hour, the black bars of a cinema screen, the words and the fades. Built once, with
// the window's context current; each frame costs the terrain's one list and a few quads.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "cutscene/CameraPath.h"
#include "cutscene/FilmPlan.h"
#include "cutscene/FilmTrack.h"
#include "cutscene/Backdrop.h"
#include "cutscene/TitleCards.h"

class TMap;

class TFilmScene {
 public:
  // A terrain that cannot be built (missing heightmap) leaves the scene black behind
  // its words.
  TFilmScene(const TFilmPlan& plan, const TFilmTrack& track, double seconds, int width,
             int height);
  ~TFilmScene();
  TFilmScene(const TFilmScene&) = delete;
  TFilmScene& operator=(const TFilmScene&) = delete;

  // Draws the frame for t seconds into the film, into the back buffer.
  void Draw(double t) const;

  bool HasTerrain() const { return map_ != nullptr; }
  const TCameraPath& Camera() const { return *camera_; }

 private:
  struct TCardTextures {
    TFilmCard card;
    TTextTexture first;
    TTextTexture second;
  };

  void BuildTerrain(const TFilmTrack& track);
  void BuildCards();
  void DrawWorld(double t) const;
  void DrawShades() const;
  void DrawLetterbox() const;
  void DrawCards(double t) const;

  TFilmPlan plan_;
  double seconds_;
  int width_;
  int height_;
  double cardScale_ = 1.0;
  std::unique_ptr<TMap> map_;
  std::optional<TBackdrop> backdrop_;
  double hazeStart_ = 0.0;  // world units from the eye
  double hazeEnd_ = 0.0;
  std::optional<TCameraPath> camera_;
  std::vector<TCardTextures> cards_;
};
