// A whole race: building the biggest shipped track, and a race frame on it against a
// frame that only clears, draws the ground and the sky and swaps, measured side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "benchmarks/BenchSupport.h"
#include "frontend/TrackList.h"
#include "modes/RaceCore.h"
#include "modes/RaceScene.h"
#include "modes/TrackFile.h"
#include "modes/Uworld_TimeAttack.h"
#include "platform/Window.h"
#include "renderer/MeasureDraw.h"
#include "renderer/RaceViewDraw.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/UphysicEngine3.h"
#include "world/Utrack.h"

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
    FinishDrawing();
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
void BareFrame(std::uint32_t groundAndSky) {
  ClearFrame();
  SetRaceLens();
  MoveView(0.0, -210.0, 0.0);
  CallList(groundAndSky);
  wnd::SwapBuffers();
}

// The game draws with texturing on (argument 1, the headline figures); argument 0
// measures the same frames untextured, to tell filling from the rest.

// "race_frame_ms", or untextured "race_frame_untextured_ms".
std::string Figure(const std::string& name, bool textured, const std::string& unit) {
  return name + (textured ? "" : "_untextured") + unit;
}

void BM_RaceFrame(benchmark::State& state) {
  if (!BenchHasGl()) return state.SkipWithError("no display");
  const bool textured = state.range(0) != 0;
  SetTexturing(textured);
  auto race = TTimeAttack::CreateFromTrack(BiggestEntry(), BenchWidth(), BenchHeight(), 0, 0);
  const t_rain& terrain = race->Map().Terrain();
  const TDisplayLists bare = RecordDisplayList([&] {
    PushView();
    MoveView(-terrain.Cols() * terrain.cellSize / 2, 0.0, terrain.Rows() * terrain.cellSize / 2);
    EmitGroundAndSky(terrain.Rows(), terrain.Cols(), terrain.groundTexture, terrain.skyTexture);
    PopView();
  });
  std::vector<double> raceMs, bareMs;
  // A race frame draws on the buffers its previous frame cleared after the swap, and
  // clears them in turn; the bare frame leaves its picture behind. The buffers are
  // cleared again between the two, untimed, so that each race frame starts as it does in
  // the game and is not drawn over the bare frame's depths.
  auto startRaceFrame = [] {
    ClearRaceBuffers();
    FinishDrawing();
  };
  for (int i = 0; i < 10; ++i) race->PlayFrame(), BareFrame(bare.Base()), startRaceFrame();  // warm up
  for (auto _ : state) {
    auto t0 = Clock::now();
    race->PlayFrame();
    auto t1 = Clock::now();
    BareFrame(bare.Base());
    auto t2 = Clock::now();
    startRaceFrame();
    raceMs.push_back(Milliseconds(t1 - t0));
    bareMs.push_back(Milliseconds(t2 - t1));
  }
  SetTexturing(true);
  const double raceFrame = Median(raceMs);
  const double bareFrame = Median(bareMs);
  state.counters[Figure("race_frame", textured, "_ms")] = raceFrame;
  state.counters[Figure("bare_frame", textured, "_ms")] = bareFrame;
  state.counters[Figure("race_frame", textured, "_ratio")] = bareFrame > 0 ? raceFrame / bareFrame : 0.0;
}
BENCHMARK(BM_RaceFrame)->Arg(0)->Arg(1)->Iterations(100)->Unit(benchmark::kMillisecond);

// The race's parts built by the game's own scene builder, so that one frame can be
// taken apart.
struct TRaceParts {
  TTrackData data;
  TRaceScene scene;
  TObj& craft;
  std::unique_ptr<TMap>& map;
  std::unique_ptr<Ttrack>& track;
  std::unique_ptr<TInterface>& hud;
  TRaceCore race;

  explicit TRaceParts(const std::string& trackFile)
      : data(ReadTrackFile(trackFile)),
        scene(BuildRaceScene(SceneOfTrack(data))),
        craft(*scene.craft),
        map(scene.map),
        track(scene.track),
        hud(scene.hud),
        race(scene.Setup(TRaceKind::kTimeAttack, data.initialTime)) {
    race.Start(wnd::GetTickCount());
  }
};

void SetRaceView() { SetRaceLens(); }

// Milliseconds from `since` until the GL has finished what was asked; moves `since` on.
double Lap(Clock::time_point& since) {
  FinishDrawing();
  const Clock::time_point now = Clock::now();
  const double ms = Milliseconds(now - since);
  since = now;
  return ms;
}

// One race frame in the race's order, each part waited for before the next begins.
void TimedRaceFrame(TRaceParts& race, std::vector<double> (&parts)[5]) {
  Clock::time_point t = Clock::now();
  SetRaceView();
  PushView();
  MoveView(0.0, -5.0, -40.0);
  ScaleView(0.75);
  race.craft.DrawClosed();  // as the race draws its own craft
  PopView();
  parts[0].push_back(Lap(t));
  SetRaceView();
  TRaceInput input;
  input.now = wnd::GetTickCount();
  const TPlayerPass pass = race.race.StartFrame(input).passes[0];
  PushView();
  MoveView(0.0, -10.0, 0.0);
  ApplyView(pass.view);
  race.track->UpdateAndDraw(pass.ringPoint);
  parts[2].push_back(Lap(t));
  race.map->Draw();
  PopView();
  parts[1].push_back(Lap(t));
  TCompassData compass;
  compass.target = CompassTarget(race.track->Rings(), race.track->CaughtCount());
  race.hud->DrawFrame(compass, race.track->CaughtCount(), false, 27);
  parts[3].push_back(Lap(t));
  race.race.FinishFrame(TOverlayChoice::kNone, wnd::GetTickCount());
  wnd::SwapBuffers();
  ClearRaceBuffers();
  parts[4].push_back(Lap(t));
}

// Where a race frame goes: craft, rings (with the view), terrain, HUD, swap and clear.
void BM_RaceFrameParts(benchmark::State& state) {
  if (!BenchHasGl()) return state.SkipWithError("no display");
  const bool textured = state.range(0) != 0;
  SetTexturing(textured);
  TRaceParts race(BiggestTrack());
  std::vector<double> parts[5];
  for (int i = 0; i < 10; ++i) TimedRaceFrame(race, parts);
  for (auto& part : parts) part.clear();
  for (auto _ : state) TimedRaceFrame(race, parts);
  SetTexturing(true);
  const char* names[5] = {"part_craft", "part_terrain", "part_rings", "part_hud", "part_swap"};
  for (int i = 0; i < 5; ++i) state.counters[Figure(names[i], textured, "_ms")] = Median(parts[i]);
  state.counters["terrain_chunks_drawn"] = race.map->DrawnChunks();
}
BENCHMARK(BM_RaceFrameParts)->Arg(0)->Arg(1)->Iterations(100)->Unit(benchmark::kMillisecond);

}  // namespace
