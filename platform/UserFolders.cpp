#include "platform/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

const char* const kGameFolder = "velmora";

// The variable when the base-directory rules accept it: set, not empty, absolute.
std::string AbsoluteVariable(const TEnvironment& env, const char* name) {
  const char* value = env(name);
  if (value == nullptr || value[0] != '/') return {};
  std::string path = value;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeBased(const TEnvironment& env, const char* variable, const char* fallback) {
  std::string base = AbsoluteVariable(env, variable);
  if (base.empty()) {
    const std::string home = AbsoluteVariable(env, "HOME");
    if (home.empty()) return {};
    base = (home == "/" ? "" : home) + "/" + fallback;
  }
  return (base == "/" ? "" : base) + "/" + kGameFolder;
}

const char* PasswordHome() {
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr ? entry->pw_dir : nullptr;
}

}  // namespace

const TEnvironment& SystemEnvironment() {
  static const TEnvironment environment = [](const char* name) -> const char* {
    const char* value = std::getenv(name);
    if (value == nullptr && std::string(name) == "HOME") return PasswordHome();
    return value;
  };
  return environment;
}

std::string ConfigFolder(const TEnvironment& env) {
  return HomeBased(env, "XDG_CONFIG_HOME", ".config");
}

std::string DataFolder(const TEnvironment& env) {
  return HomeBased(env, "XDG_DATA_HOME", ".local/share");
}

std::string SettingsFile(const TEnvironment& env) {
  const std::string folder = ConfigFolder(env);
  return folder.empty() ? std::string() : folder + "/settings.ini";
}

bool MakeFolders(const std::string& folder, std::string& error) {
  namespace fs = std::filesystem;
  if (folder.empty()) {
    error = "no folder for the player's files (neither HOME nor the XDG variables are set)";
    return false;
  }
  // One level at a time, so that every folder made here is the player's alone (0700),
  // as the base-directory rules ask; folders that exist keep their rights.
  std::string path;
  int failure = 0;
  for (const auto& part : fs::path(folder)) {
    path = (fs::path(path) / part).string();
    if (part == "/" || fs::is_directory(path)) continue;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
      failure = errno;
      break;
    }
  }
  if (fs::is_directory(folder)) return true;
  error = "cannot create the folder " + folder + (failure != 0 ? ": " + std::string(std::strerror(failure)) : std::string(": not a folder"));
  return false;
}
