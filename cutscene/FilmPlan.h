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

struct TFilmPlan {
  int number = 0;
  std::string season;  // "summer": screenplay_data/summer/, sounds/summer.mp3
  std::string windowTitle;
  int seconds = 0;
  bool ending = false;  // dusk light, a higher and slower flight
  std::vector<TFilmCard> cards;
};

// The plan of film 1 to 5; nothing for any other number.
std::optional<TFilmPlan> FilmPlanFor(int number);

// The film a program stands for, read from its own file name: "video/003.exe" is 3.
// 0 when the name does not start with the number of a film.
int FilmNumberFromProgramName(const std::string& path);

std::string HeightmapPathOf(const TFilmPlan& plan);
std::string TrackPathOf(const TFilmPlan& plan);
std::string MusicPathOf(const TFilmPlan& plan);
