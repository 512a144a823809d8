#include "cutscene/FilmPlayer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cutscene/FilmScene.h"
#include "cutscene/FilmTrack.h"
#include "cutscene/Screenshot.h"
#include "cutscene/Timeline.h"
#include "platform/GlfwPlatform.h"
#include "renderer/FilmDraw.h"
#include "sound/USound.h"

namespace {

constexpr int kMusicVolume = 230;  // of 255: a little under the races' full music

struct TFrameTimes {
  std::vector<double> intervals;  // milliseconds between two frames shown
  bool skipped = false;
};

// Both are asked every frame, so neither press is left over for a later read.
bool SkipAsked() {
  const bool escape = wnd::KeyPressed(wnd::KEY_ESC);
  const bool space = wnd::KeyPressed(wnd::KEY_SPACE);
  return escape || space;
}

double SecondsSince(std::uint32_t start) { return (wnd::GetTickCount() - start) / 1000.0; }

// The window shows black at once, while the terrain and the words are prepared.
void ShowBlack() {
  ClearToBlack();
  wnd::SwapBuffers();
}

TFrameTimes RunFrames(const TFilmScene& scene, TSound& sound, double seconds, std::uint32_t start,
                      const std::string& screenshotPath, const wnd::TWindowInfo& window) {
  TFrameTimes times;
  bool shotTaken = screenshotPath.empty();
  double last = 0.0;  // so the first interval is the start-up
  wnd::ForgetPresses();
  for (double t = SecondsSince(start); t < seconds; t = SecondsSince(start)) {
    if (SkipAsked()) {
      times.skipped = true;
      break;
    }
    scene.Draw(t);
    if (!shotTaken && t >= seconds / 2.0) {
      shotTaken = true;
      if (!WriteFrameAsPng(screenshotPath, window.width, window.height))
        std::fprintf(stderr, "film: cannot write the picture \"%s\"\n", screenshotPath.c_str());
    }
    sound.SetMusicVolume(static_cast<int>(kMusicVolume * MusicLevel(t, seconds)));
    wnd::SwapBuffers();
    times.intervals.push_back((t - last) * 1000.0);
    last = t;
  }
  return times;
}

void PrintFrameTimes(const TFilmPlan& plan, TFrameTimes times, double shown) {
  if (times.intervals.size() < 2) return;
  // The first interval is the start-up; the pace is judged on the rest.
  const double startUp = times.intervals.front();
  times.intervals.erase(times.intervals.begin());
  std::sort(times.intervals.begin(), times.intervals.end());
  const double median = times.intervals[times.intervals.size() / 2];
  const double p95 = times.intervals[times.intervals.size() * 95 / 100];
  std::printf("film %d: %zu frames in %.1f s%s, first after %.0f ms, median frame %.1f ms, "
              "95th percentile %.1f ms\n",
              plan.number, times.intervals.size() + 1, shown, times.skipped ? " (skipped)" : "",
              startUp, median, p95);
  std::fflush(stdout);
}

// The scene lives only here, so its textures and lists are given back while the
// window's context is still current.
void ShowFilm(const TFilmPlan& plan, double seconds, std::uint32_t start,
              const std::string& screenshotPath, const wnd::TWindowInfo& window) {
  const TFilmTrack track = LoadFilmTrack(plan);
  if (!track.fromTrackFile) std::printf("film %d: %s\n", plan.number, track.problem.c_str());
  TFilmScene scene(plan, track, seconds, window.width, window.height);
  TSound sound;
  sound.PlayMusic(track.musicPath, 0);
  const TFrameTimes times = RunFrames(scene, sound, seconds, start, screenshotPath, window);
  PrintFrameTimes(plan, times, SecondsSince(start));
  sound.MusicOff();
}

}  // namespace

int PlayFilm(const TFilmPlan& plan, double seconds, const std::string& screenshotPath) {
  TGlfwPlatform platform;
  // Unpaced only to measure what a frame costs, as the game's own benchmarks do.
  const char* unpaced = std::getenv("VELMORA_UNPACED");
  platform.SetPaced(!(unpaced && *unpaced && std::string(unpaced) != "0"));
  // A missing texture must not stop the film behind a message box nobody answers.
  platform.SetQuietMessages(true);
  wnd::TPlatformGuard guard(platform);
  // The film's clock starts with the program, as the game's wait does.
  const std::uint32_t start = wnd::GetTickCount();
  const wnd::TWindowInfo window = platform.OpenWindow(1024, 768, 24, 8, true);
  if (!window.opened) {
    std::fprintf(stderr, "film %d: no window could be opened\n", plan.number);
    return 1;
  }
  wnd::SetWindowTitle(plan.windowTitle);
  ShowBlack();
  ShowFilm(plan, seconds, start, screenshotPath, window);
  platform.CloseWindow();
  return 0;
}
