#include "cutscene/FilmPlan.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace {

// Each season's air: clear blue summer, warm hazy autumn, pale cold winter, a stormy
// violet for the final race, and the ending's dusk.
TFilmSky SkyOf(const std::string& season, bool ending) {
  if (ending) return {{0.10f, 0.09f, 0.26f}, {0.93f, 0.52f, 0.33f}, {0.55f, 0.25f, 0.05f}, 200.0, 0.5, 4.5};
  if (season == "summer") return {{0.20f, 0.42f, 0.80f}, {0.74f, 0.85f, 0.95f}, {0.25f, 0.22f, 0.10f}, 30.0, 0.8, 8.0};
  if (season == "autumn") return {{0.30f, 0.38f, 0.58f}, {0.93f, 0.80f, 0.62f}, {0.30f, 0.18f, 0.05f}, 120.0, 0.5, 5.0};
  if (season == "winter") return {{0.42f, 0.52f, 0.68f}, {0.86f, 0.89f, 0.94f}, {0.12f, 0.12f, 0.14f}, 300.0, 0.35, 4.0};
  return {{0.16f, 0.12f, 0.30f}, {0.62f, 0.46f, 0.58f}, {0.35f, 0.15f, 0.10f}, 250.0, 0.5, 5.0};
}

TFilmPlan SeasonIntro(int number, const std::string& season, const std::string& title,
                      const std::string& chapter, int seconds) {
  TFilmPlan plan;
  plan.number = number;
  plan.season = season;
  plan.windowTitle = "Velmora - " + title;
  plan.seconds = seconds;
  plan.sky = SkyOf(season, false);
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
  plan.sky = SkyOf("final", true);
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

TFilmColour SkyColourAt(const TFilmSky& sky, double elevation, double bearing) {
  constexpr double kPi = 3.14159265358979323846;
  const double u = std::clamp(elevation / 90.0, 0.0, 1.0);
  const double rise = std::pow(u, 0.45);
  const double facing = std::max(0.0, std::cos((bearing - sky.sunBearing) * kPi / 180.0));
  const double glow = std::pow(facing, 6.0) * std::max(0.0, 1.0 - u / 0.25);
  auto mix = [&](float low, float high, float sun) {
    return static_cast<float>(std::min(1.0, low + (high - low) * rise + sun * glow));
  };
  return {mix(sky.horizon.r, sky.zenith.r, sky.sunGlow.r), mix(sky.horizon.g, sky.zenith.g, sky.sunGlow.g),
          mix(sky.horizon.b, sky.zenith.b, sky.sunGlow.b)};
}

std::string HeightmapPathOf(const TFilmPlan& plan) {
  return "screenplay_data/" + plan.season + "/" + plan.season + ".bmp";
}

std::string TrackPathOf(const TFilmPlan& plan) {
  return "screenplay_data/" + plan.season + "/" + plan.season + ".track";
}

std::string MusicPathOf(const TFilmPlan& plan) { return "sounds/" + plan.season + ".mp3"; }
