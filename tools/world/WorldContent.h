// Writes every heightmap, course and mesh, and the empty save folder, under a run folder.
#pragma once

#include <string>
#include <vector>

struct TWorldReport {
  bool ok = true;
  std::string failure;             // the first thing that went wrong
  std::vector<std::string> lines;  // one line per file family, for the build log
};

TWorldReport WriteWorldContent(const std::string& runDir);
