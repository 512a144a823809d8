// Writes the wind loop and every piece of music under a run folder.
#pragma once

#include <string>
#include <vector>

struct TSoundReport {
  bool ok = true;
  std::string failure;
  std::vector<std::string> lines;  // one line a file, for the build log
};

TSoundReport WriteSoundContent(const std::string& runDir);
