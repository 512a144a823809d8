// A whole race: building the biggest shipped track, and a race frame on it against a
// frame that only clears, draws the ground and the sky and swaps, measured side by side.
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "frontend/TrackList.h"
#include "game/Window.h"
#include "modes/TrackFile.h"
#include "modes/Uworld.h"
#include "world/Umap.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

// The shipped course whose terrain keeps the most samples.
std::string BiggestTrack() {
  const char* tracks[] = {"track_data/dunmarrow.track", "track_data/ridezi.track",
                          "track_data/large.track",     "track_data/lanterne.track",
                          "track_data/test.track",      "screenplay_data/summer/summer.track",
                          "screenplay_data/autumn/autumn.track",
                          "screenplay_data/winter/winter.track",
                          "screenplay_data/final/final.track"};
  std::string best;
  double most = -1;
  for (const char* track : tracks) {
    try {
      TTrackData data = ReadTrackFile(track);
      int w = 0, h = 0;
      if (!ReadBitmapSize(data.heightmapPath, w, h)) continue;
      double kept = w * data.terrain.accuracy * h * data.terrain.accuracy;
      if (kept > most) {
        most = kept;
        best = track;
      }
    } catch (const std::exception&) {
    }
  }
  return best;
}

T_TrackFile BiggestEntry() {
  T_TrackFile entry;
  entry.trackFileName = BiggestTrack();
  return entry;
}

void BM_RaceBuild(benchmark::State& state) {
  if (!BenchHasGl()) return state.SkipWithError("no display");
  const T_TrackFile entry = BiggestEntry();
  std::vector<double> samples;
  for (auto _ : state) {
    auto start = Clock::now();
    auto race = TTimeAttack::CreateFromTrack(entry, 1024, 768, 0, 0);
    glFinish();
    samples.push_back(Milliseconds(Clock::now() - start));
    state.PauseTiming();
    race.reset();
    state.ResumeTiming();
  }
  state.counters["race_build_ms"] = Median(samples);
  state.SetLabel(entry.trackFileName);
}
BENCHMARK(BM_RaceBuild)->Iterations(5)->Unit(benchmark::kMillisecond);

// Clears, draws the race's ground and sky from the start view, swaps.
void BareFrame(GLuint groundAndSky) {
  glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(15.0, 1.3333333333333333, 0.1, 100000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0.0, -210.0, 0.0);
  glCallList(groundAndSky);
  wnd::SwapBuffers();
}

void BM_RaceFrame(benchmark::State& state) {
  if (!BenchHasGl()) return state.SkipWithError("no display");
  auto race = TTimeAttack::CreateFromTrack(BiggestEntry(), 1024, 768, 0, 0);
  const t_rain& terrain = race->Map().Terrain();
  GLuint bare = glGenLists(1);
  glNewList(bare, GL_COMPILE);
  glPushMatrix();
  glTranslated(-terrain.Cols() * terrain.cellSize / 2, 0.0, terrain.Rows() * terrain.cellSize / 2);
  EmitGroundAndSky(terrain.Rows(), terrain.Cols(), terrain.groundTexture, terrain.skyTexture);
  glPopMatrix();
  glEndList();
  std::vector<double> raceMs, bareMs;
  for (int i = 0; i < 10; ++i) race->PlayFrame(), BareFrame(bare);  // warm up
  for (auto _ : state) {
    auto t0 = Clock::now();
    race->PlayFrame();
    auto t1 = Clock::now();
    BareFrame(bare);
    auto t2 = Clock::now();
    raceMs.push_back(Milliseconds(t1 - t0));
    bareMs.push_back(Milliseconds(t2 - t1));
  }
  glDeleteLists(bare, 1);
  const double raceFrame = Median(raceMs);
  const double bareFrame = Median(bareMs);
  state.counters["race_frame_ms"] = raceFrame;
  state.counters["bare_frame_ms"] = bareFrame;
  state.counters["race_frame_ratio"] = bareFrame > 0 ? raceFrame / bareFrame : 0.0;
}
BENCHMARK(BM_RaceFrame)->Iterations(100)->Unit(benchmark::kMillisecond);

}  // namespace
