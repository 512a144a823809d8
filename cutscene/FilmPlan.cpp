#include "cutscene/FilmPlan.h"

#include <cctype>
#include <filesystem>

namespace {

TFilmPlan SeasonIntro(int number, const std::string& season, const std::string& title,
                      const std::string& chapter, int seconds) {
  TFilmPlan plan;
  plan.number = number;
  plan.season = season;
  plan.windowTitle = "Velmora - " + title;
  plan.seconds = seconds;
  // The name comes in once the picture has faded up, and leaves the flight to itself.
  plan.cards = {{title, chapter, false, 0.8, 7.5}};
  return plan;
}

// The last film: a slow flight over the final terrain at dusk, then the thanks and the
// credits, then the game's name alone before the picture goes dark.
TFilmPlan Ending() {
  TFilmPlan plan;
  plan.number = 5;
  plan.season = "final";
  plan.windowTitle = "Velmora - The end";
  plan.seconds = 66;
  plan.ending = true;
  plan.cards = {
      {"The end", "Thank you for playing Velmora", false, 3.0, 24.0},
      {"Made by the Velmora team",
       "Every picture, terrain, sound and film made by the game's own tools", true, 27.0, 46.0},
      {"Velmora", "", false, 49.0, 62.0},
  };
  return plan;
}

}  // namespace

std::optional<TFilmPlan> FilmPlanFor(int number) {
  switch (number) {
    case 1: return SeasonIntro(1, "summer", "Summer", "Chapter one", 56);
    case 2: return SeasonIntro(2, "autumn", "Autumn", "Chapter two", 38);
    case 3: return SeasonIntro(3, "winter", "Winter", "Chapter three", 24);
    case 4: return SeasonIntro(4, "final", "Final", "Chapter four", 40);
    case 5: return Ending();
    default: return std::nullopt;
  }
}

// The leading digits of the file name; "003.exe", "003" and "3.exe" all name film 3.
int FilmNumberFromProgramName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  std::size_t digits = 0;
  while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits]))) ++digits;
  if (digits == 0 || digits > 6) return 0;
  if (digits < name.size() && name[digits] != '.') return 0;
  const int number = std::stoi(name.substr(0, digits));
  return number >= kFirstFilm && number <= kLastFilm ? number : 0;
}

std::string HeightmapPathOf(const TFilmPlan& plan) {
  return "screenplay_data/" + plan.season + "/" + plan.season + ".bmp";
}

std::string TrackPathOf(const TFilmPlan& plan) {
  return "screenplay_data/" + plan.season + "/" + plan.season + ".track";
}

std::string MusicPathOf(const TFilmPlan& plan) { return "sounds/" + plan.season + ".mp3"; }
