#include "game/SystemServices.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

namespace sys {

std::uint32_t MonotonicMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

wnd::TLocalTime CurrentLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
          parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

namespace {

// Double fork: the middle child exits at once and is reaped here, so the program
// runs as an orphan of init and the game neither waits nor leaves a zombie.
void SpawnOrphan(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t middle = fork();
  if (middle < 0) return;
  if (middle == 0) {
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) {
      execvp(argv[0], argv.data());
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

bool StartDetached(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) return false;
  std::string absolute = std::filesystem::absolute(path).string();
  if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0) {
    SpawnOrphan({absolute});
  } else {
    SpawnOrphan({"xdg-open", absolute});
  }
  return true;
}

void PrintMessage(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
}

bool ChangeToExecutableDirectory() {
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return false;
  std::filesystem::current_path(self.parent_path(), error);
  return !error;
}

}  // namespace sys
