// The five story films: which season each flies over, the words it shows and how long
// it runs. The game waits exactly these durations, so they must not change.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr int kFirstFilm = 1;
inline constexpr int kLastFilm = 5;

// Words shown together: a big title with a line beneath it, or two credit lines of
// middle size.
struct TFilmCard {
  std::string title;
  std::string subtitle;
  bool credits = false;
  double start = 0.0;  // seconds into the film at its full length
  double end = 0.0;
};

struct TFilmColour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

// The film's light: the sky from its horizon up, the glow of a low sun on one side, and
// how far the air lets the eye see, as a share of the terrain's width: the ground fades
// into the horizon's colour from `hazeStart` to `hazeEnd`.
struct TFilmSky {
  TFilmColour zenith;
  TFilmColour horizon;
  TFilmColour sunGlow;  // added to the horizon on the sun's side
  double sunBearing = 0.0;  // degrees about the vertical axis, from +x towards +z
  double hazeStart = 0.6;
  double hazeEnd = 6.0;
};

struct TFilmPlan {
  int number = 0;
  std::string season;  // "summer": screenplay_data/summer/, sounds/summer.mp3
  std::string windowTitle;
  int seconds = 0;
  bool ending = false;  // dusk light, a higher and slower flight
  TFilmSky sky;
  std::vector<TFilmCard> cards;
};

// The plan of film 1 to 5; nothing for any other number.
std::optional<TFilmPlan> FilmPlanFor(int number);

// The film a program stands for, read from its own file name: "video/003.exe" is 3.
// 0 when the name does not start with the number of a film.
int FilmNumberFromProgramName(const std::string& path);

// The sky's colour at `elevation` degrees above the horizon (0 to 90) and `bearing`
// degrees round the vertical axis: the horizon's colour rising into the zenith's, most
// of the change low down, and the sun's glow near the horizon on its side.
TFilmColour SkyColourAt(const TFilmSky& sky, double elevation, double bearing);

std::string HeightmapPathOf(const TFilmPlan& plan);
std::string TrackPathOf(const TFilmPlan& plan);
std::string MusicPathOf(const TFilmPlan& plan);
