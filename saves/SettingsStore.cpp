#include "saves/SettingsStore.h"

#include <cstdio>
#include <vector>

namespace {

TSettings current;
TSettings stored;  // what the file holds as far as this run knows
std::string file;

}  // namespace

TSettings& CurrentSettings() { return current; }

void SetSettingsFile(const std::string& path) { file = path; }

const std::string& SettingsFile() { return file; }

void LoadCurrentSettings() {
  std::vector<std::string> notes;
  current = LoadSettings(file, notes);
  stored = current;
  for (const std::string& note : notes) std::fprintf(stderr, "%s\n", note.c_str());
}

bool StoreSettings() {
  if (file.empty() || current == stored) return true;
  std::string error;
  if (!SaveSettings(file, current, error)) {
    std::fprintf(stderr, "The settings could not be kept in %s: %s\n", file.c_str(), error.c_str());
    return false;
  }
  stored = current;
  return true;
}
