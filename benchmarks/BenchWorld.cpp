// The race world: reading and thinning a 256 x 256 heightmap, compiling the terrain's
// display list, and the frame time of terrain + rings + HUD against the same terrain
// compiled with a texture bind and a primitive for every triangle.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "benchmarks/BenchSupport.h"
#include "platform/Window.h"
#include "renderer/MeasureDraw.h"
#include "renderer/TerrainDraw.h"
#include "tools/writers/ImageWriters.h"
#include "tools/writers/MeshWriter.h"
#include "world/CourseGen.h"
#include "world/Heightmap.h"
#include "world/TerrainMesh.h"
#include "world/Uinterface.h"
#include "world/Umap.h"
#include "world/Utrack.h"

namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Rolling hills with flat valleys at 0, as the game's maps have.
TImage HillMap(int side) {
  TImage image = MakeSolidImage(side, side, {0, 0, 0});
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      double h = 150.0 * std::sin(x * 0.05) * std::cos(y * 0.043) + 60.0 * std::sin((x + y) * 0.021);
      image.pixels[(static_cast<std::size_t>(y) * side + x) * 3 + 2] =
          static_cast<std::uint8_t>(std::clamp(h, 0.0, 255.0));
    }
  }
  return image;
}

TImage Checker(int side, std::vector<std::uint8_t> a, std::vector<std::uint8_t> b) {
  TImage image = MakeSolidImage(side, side, a);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      if ((x / 16 + y / 16) % 2 == 0) continue;
      std::copy(b.begin(), b.end(), image.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * side + x) * 3);
    }
  }
  return image;
}

// A ring: a torus of 24 x 8 quads, outer radius 24 and tube radius 4 (ring-local units).
TMeshData Torus(const std::string& material, TMeshColour colour) {
  TMeshData mesh;
  const int around = 24, tube = 8;
  for (int i = 0; i < around; ++i) {
    for (int j = 0; j < tube; ++j) {
      double a = 2 * kPi * i / around, b = 2 * kPi * j / tube;
      mesh.vertices.push_back({(20 + 4 * std::cos(b)) * std::cos(a), (20 + 4 * std::cos(b)) * std::sin(a),
                               4 * std::sin(b)});
      mesh.normals.push_back({std::cos(b) * std::cos(a), std::cos(b) * std::sin(a), std::sin(b)});
    }
  }
  TMeshGroup group{"ring", material, {}};
  for (int i = 0; i < around; ++i) {
    for (int j = 0; j < tube; ++j) {
      auto at = [&](int di, int dj) { return ((i + di) % around) * tube + (j + dj) % tube; };
      std::vector<int> corners = {at(0, 0), at(1, 0), at(1, 1), at(0, 1)};
      group.faces.push_back({corners, corners, {}});
    }
  }
  mesh.groups.push_back(group);
  mesh.materials.push_back({material, colour, colour, {}, 10.0});
  return mesh;
}

// The content a race reads, written once into a folder of the benchmark's own.
const fs::path& Fixture() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / "velmora_bench_world";
    fs::remove_all(d);
    WriteBmp24((d / "track_data/hills.bmp").string(), HillMap(256));
    WriteBmp24((d / "textures/terrain.bmp").string(), Checker(256, {170, 140, 90}, {150, 120, 80}));
    WriteBmp24((d / "textures/ground.bmp").string(), Checker(256, {40, 120, 40}, {50, 130, 50}));
    WriteBmp24((d / "textures/sky.bmp").string(), Checker(256, {90, 140, 220}, {100, 150, 230}));
    WriteMesh((d / "mesh/anneau.obj").string(), Torus("ring", {1.0, 0.8, 0.1}));
    WriteMesh((d / "mesh/ring_caught.obj").string(), Torus("caught", {0.4, 0.4, 0.4}));
    WriteMesh((d / "mesh/fleche.obj").string(), Torus("arrow", {0.9, 0.1, 0.1}));
    TImage panel = MakeSolidImage(64, 64, {200, 180, 120, 255});
    WriteTga((d / "img/timer.tga").string(), panel, false);
    WriteTga((d / "img/lanternes_score.tga").string(), panel, false);
    for (int digit = 0; digit < 10; ++digit) {
      TImage number = MakeSolidImage(32, 64, {std::uint8_t(digit * 25), 30, 30, 255});
      WriteTga((d / ("img/timer_numbers_/" + std::to_string(digit) + ".tga")).string(), number, false);
      WriteTga((d / ("img/score_numbers_/" + std::to_string(digit) + ".tga")).string(), number, false);
    }
    return d;
  }();
  return dir;
}

// Runs with the fixture as working directory, as the game runs in its own folder.
class TInFixture {
 public:
  TInFixture() : previous_(fs::current_path()) { fs::current_path(Fixture()); }
  ~TInFixture() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

t_rain HillTerrain() {
  t_rain t = TerrainValues((Fixture() / "track_data/hills.bmp").string(), 0.5, 10.0, 110.0, "", "", "",
                           kDefaultMaterial);
  LoadTerrainSamples(t);
  return t;
}

// The terrain as it used to be compiled: a bind and a primitive for every triangle.
TDisplayLists PerTriangleList(const t_rain& terrain) {
  return RecordDisplayList([&] {
    PushView();
    const T_point offset = TerrainOffset(terrain);
    MoveView(offset.x, offset.y, offset.z);
    SetLighting(false);
    EmitTerrainPerTriangle(BuildTerrainTriangles(terrain), terrain.terrainTexture);
    EmitGroundAndSky(MeshRows(terrain), MeshCols(terrain), terrain.groundTexture, terrain.skyTexture);
    SetLighting(true);
    PopView();
  });
}

// The whole terrain in one list with one bind, as it was compiled before it was cut into
// blocks.
TDisplayLists SingleList(const t_rain& terrain) {
  return RecordDisplayList([&] {
    PushView();
    const T_point offset = TerrainOffset(terrain);
    MoveView(offset.x, offset.y, offset.z);
    EmitTerrainMesh(terrain);
    PopView();
  });
}

// One race frame from the start point: craft view, terrain, rings, HUD, swap.
double FrameMs(const std::function<void()>& drawTerrain, Ttrack& track, TInterface& hud,
               const TCompassData& compass) {
  const auto start = std::chrono::steady_clock::now();
  ClearFrame();
  SetRaceLens();
  MoveView(0.0, -10.0, 0.0);
  TurnView(8.0, 1.0, 0.0, 0.0);
  MoveView(0.0, -200.0, 0.0);
  drawTerrain();
  track.UpdateAndDraw({0.0, 1e6, 0.0});
  hud.DrawFrame(compass, track.CaughtCount(), false, 42);
  wnd::SwapBuffers();
  FinishDrawing();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void BM_HeightmapLoad256(benchmark::State& state) {
  t_rain terrain = TerrainValues((Fixture() / "track_data/hills.bmp").string(), 0.5, 10.0, 110.0, "",
                                 "", "", kDefaultMaterial);
  for (auto _ : state) {
    LoadTerrainSamples(terrain);
    benchmark::DoNotOptimize(terrain.samples.get());
  }
  state.counters["rows"] = terrain.Rows();
}
BENCHMARK(BM_HeightmapLoad256)->Unit(benchmark::kMicrosecond);

void BM_HeightmapThin256(benchmark::State& state) {
  std::string line;
  const t_tab_pixel grid = ParseHeightmap(MakeBmp24(HillMap(256)), "hills.bmp", line);
  for (auto _ : state) {
    t_tab_pixel thinned = ThinGrid(grid, 0.5);
    benchmark::DoNotOptimize(thinned.Bytes().data());
  }
}
BENCHMARK(BM_HeightmapThin256)->Unit(benchmark::kMicrosecond);

void BM_TerrainTriangles128(benchmark::State& state) {
  const t_rain terrain = HillTerrain();
  for (auto _ : state) {
    std::vector<TMeshVertex> triangles = BuildTerrainTriangles(terrain);
    benchmark::DoNotOptimize(triangles.data());
  }
}
BENCHMARK(BM_TerrainTriangles128)->Unit(benchmark::kMicrosecond);

void BM_TerrainListBuild128(benchmark::State& state) {
  if (!BenchHasGl()) {
    state.SkipWithError("no display");
    return;
  }
  const t_rain terrain = HillTerrain();
  for (auto _ : state) {
    TDisplayLists list = RecordDisplayList([&] { EmitTerrainMesh(terrain); });
    FinishDrawing();
  }
}
BENCHMARK(BM_TerrainListBuild128)->Unit(benchmark::kMillisecond);

// The terrain drawn three ways in one run, so the ratios compare like with like: as the
// game draws it (blocks outside the view skipped), as one list with one bind, and as one
// list with a bind and a primitive for every triangle.
void BM_RaceFrameTerrainRingsHud(benchmark::State& state) {
  if (!BenchHasGl()) {
    state.SkipWithError("no display");
    return;
  }
  TInFixture inFixture;
  TMap map("track_data/hills.bmp", 0.5, 10.0, 110.0, "textures/ground.bmp", "textures/terrain.bmp",
           "textures/sky.bmp");
  Ttrack track(map.Terrain(), T_bounding_box{});
  TInterface hud(0, 1024, 768);
  const TDisplayLists perTriangle = PerTriangleList(map.Terrain());
  const TDisplayLists single = SingleList(map.Terrain());
  TCompassData compass;
  compass.target = CompassTarget(track.Rings(), 0);
  std::vector<double> ours, one, old;
  for (auto _ : state) {
    ours.push_back(FrameMs([&] { map.Draw(); }, track, hud, compass));
    one.push_back(FrameMs([&] { CallList(single.Base()); }, track, hud, compass));
    old.push_back(FrameMs([&] { CallList(perTriangle.Base()); }, track, hud, compass));
  }
  state.counters["terrain_frame_ms"] = Median(ours);
  state.counters["single_list_frame_ms"] = Median(one);
  state.counters["per_triangle_frame_ms"] = Median(old);
  state.counters["terrain_list_ratio"] = Median(ours) / Median(old);
  state.counters["single_list_ratio"] = Median(one) / Median(old);
  state.counters["chunks_drawn"] = map.DrawnChunks();
  state.counters["chunks"] = map.ChunkCount();
}
BENCHMARK(BM_RaceFrameTerrainRingsHud)->Iterations(40)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
