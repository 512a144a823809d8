#include "platform/PlayerFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/Paths.h"

namespace fs = std::filesystem;

namespace {

std::string& Folder() {
  static std::string folder;
  return folder;
}

std::string Slashed(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// The mark a finished copy leaves, so that slots the player later clears stay cleared.
const char* const kCopiedMark = ".copied-from-program-folder";

bool IsSlotFile(const fs::path& file) {
  const std::string name = file.filename().string();
  return name.rfind("slot", 0) == 0 && file.extension() == ".sav";
}

}  // namespace

void SetPlayerFolder(const std::string& folder) { Folder() = folder; }

const std::string& PlayerFolder() { return Folder(); }

std::string WritePath(const std::string& path) {
  const std::string relative = Slashed(path);
  if (Folder().empty() || fs::path(relative).is_absolute()) return relative;
  return Folder() + "/" + relative;
}

std::string ReadPath(const std::string& path) {
  const std::string own = WritePath(path);
  std::error_code error;
  if (!Folder().empty() && own != Slashed(path) && fs::is_regular_file(own, error)) return own;
  return ResolvePath(path);
}

void CopyOldSlotsOnce(const std::string& oldFolder, const std::string& newFolder,
                      std::vector<std::string>& notes) {
  std::error_code error;
  const fs::path mark = fs::path(newFolder) / kCopiedMark;
  if (fs::exists(mark, error) || !fs::is_directory(oldFolder, error)) return;
  fs::create_directories(newFolder, error);
  bool complete = !error;
  for (const auto& entry : fs::directory_iterator(oldFolder, error)) {
    if (!entry.is_regular_file(error) || !IsSlotFile(entry.path())) continue;
    const fs::path target = fs::path(newFolder) / entry.path().filename();
    if (fs::exists(target, error)) continue;
    if (fs::copy_file(entry.path(), target, error)) {
      notes.push_back("copied the saved game " + entry.path().string() + " to " + target.string());
    } else {
      notes.push_back("could not copy the saved game " + entry.path().string() + ": " + error.message());
      complete = false;
    }
  }
  // A copy that failed is tried again at the next start; one that worked is not redone.
  if (complete) std::ofstream(mark) << "The saved games beside the program were copied here once.\n";
}
