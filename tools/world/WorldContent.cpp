#include "tools/world/WorldContent.h"

#include <filesystem>

#include "tools/world/Heightmaps.h"
#include "tools/world/Meshes.h"
#include "tools/writers/ByteWriter.h"

namespace {

void Fail(TWorldReport& report, const std::string& what) {
  if (report.ok) report.failure = what;
  report.ok = false;
}

void WriteHeightmaps(const std::string& runDir, TWorldReport& report) {
  for (const TTrackDesign& design : TrackDesigns()) {
    const THeightmap map = BuildHeightmap(design);
    if (!WriteBytesToFile(runDir + "/" + design.heightmapPath, HeightmapBmp(map)))
      Fail(report, "cannot write " + design.heightmapPath);
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
  WriteHeightmaps(runDir, report);
  WriteMeshes(runDir, report);
  MakeSaveFolder(runDir, report);
  return report;
}
