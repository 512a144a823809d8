#include "tools/world/WorldContent.h"

#include <cstdio>
#include <exception>
#include <filesystem>

#include "tools/world/Courses.h"
#include "tools/world/Heightmaps.h"
#include "tools/world/Meshes.h"
#include "tools/writers/ByteWriter.h"

namespace {

void Fail(TWorldReport& report, const std::string& what) {
  if (report.ok) report.failure = what;
  report.ok = false;
}

void WriteCourse(const std::string& runDir, const TTrackDesign& design, const THeightmap& map,
                 TWorldReport& report) {
  // The course is checked as the game will read it back: reals rounded to the file's digits.
  const TTrackData track = ParseTrackText(FormatTrackFile(design.name, BuildTrackData(design)), design.trackPath);
  const TCourseCheck check = CheckCourse(track, TerrainOf(track, map));
  char line[200];
  std::snprintf(line, sizeof line, "%s: %zu rings, %d s allowed, autopilot %.1f s (%.0f%%), rims %.0f over the ground",
                design.trackPath.c_str(), track.rings.size(), track.initialTime, check.framesFlown / 30.0,
                100.0 * check.framesFlown / std::max(1, check.framesAllowed), check.lowestClearance);
  report.lines.push_back(line);
  if (!check.ok) {
    Fail(report, design.trackPath + " cannot be flown: " + check.problem);
    return;
  }
  WriteTrackFile(design.name, runDir + "/" + design.trackPath, track);
}

void WriteHeightmapsAndCourses(const std::string& runDir, TWorldReport& report) {
  for (const TTrackDesign& design : TrackDesigns()) {
    const THeightmap map = BuildHeightmap(design);
    if (!WriteBytesToFile(runDir + "/" + design.heightmapPath, HeightmapBmp(map)))
      Fail(report, "cannot write " + design.heightmapPath);
    if (design.trackPath.empty()) continue;
    try {
      WriteCourse(runDir, design, map, report);
    } catch (const std::exception& error) {
      Fail(report, design.trackPath + ": " + error.what());
    }
  }
  report.lines.push_back(std::to_string(TrackDesigns().size()) + " heightmaps");
}

void WriteMeshes(const std::string& runDir, TWorldReport& report) {
  const std::pair<const char*, TMeshData> meshes[] = {
      {"mesh/anneau.obj", RingMesh()},
      {"mesh/ring_caught.obj", CaughtRingMesh()},
      {"mesh/fleche.obj", ArrowMesh()},
      {"mesh/reduce-dash2.obj", CraftMesh(PlayerOnePaint())},
      {"mesh/brisel reduce-dash.obj", CraftMesh(PlayerTwoPaint())},
  };
  for (const auto& [path, mesh] : meshes) {
    const std::string problem = CheckMesh(mesh);
    if (!problem.empty()) Fail(report, std::string(path) + ": " + problem);
    else if (!WriteMesh(runDir + "/" + path, mesh)) Fail(report, std::string("cannot write ") + path);
  }
  report.lines.push_back(std::to_string(std::size(meshes)) + " meshes");
}

void MakeSaveFolder(const std::string& runDir, TWorldReport& report) {
  std::error_code error;
  std::filesystem::create_directories(runDir + "/save", error);
  if (error) Fail(report, "cannot create " + runDir + "/save: " + error.message());
}

}  // namespace

TWorldReport WriteWorldContent(const std::string& runDir) {
  TWorldReport report;
  WriteHeightmapsAndCourses(runDir, report);
  WriteMeshes(runDir, report);
  MakeSaveFolder(runDir, report);
  return report;
}
