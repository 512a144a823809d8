#include "platform/SystemServices.h"

#include <malloc.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
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
// The middle child tells the program's process id through a pipe, so the game can see
// when the program has ended.
long SpawnOrphan(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int channel[2];
  if (pipe(channel) != 0) return 0;
  pid_t middle = fork();
  if (middle < 0) {
    close(channel[0]);
    close(channel[1]);
    return 0;
  }
  if (middle == 0) {
    close(channel[0]);
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) {
      close(channel[1]);
      execvp(argv[0], argv.data());
      _exit(127);
    }
    long pid = grandchild > 0 ? grandchild : 0;
    ssize_t written = write(channel[1], &pid, sizeof pid);
    (void)written;
    _exit(0);
  }
  close(channel[1]);
  long pid = 0;
  if (read(channel[0], &pid, sizeof pid) != static_cast<ssize_t>(sizeof pid)) pid = 0;
  close(channel[0]);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  return pid;
}

}  // namespace

bool StartDetached(const std::string& path, long* started) {
  if (started) *started = 0;
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) return false;
  std::string absolute = std::filesystem::absolute(path).string();
  long pid = 0;
  if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0) {
    pid = SpawnOrphan({absolute});
  } else {
    pid = SpawnOrphan({"xdg-open", absolute});
  }
  if (started) *started = pid;
  return true;
}

bool ProcessRunning(long pid) {
  if (pid <= 0) return false;
  if (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
  // An ended orphan waits as a zombie until its new parent reaps it; it runs no more.
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  std::size_t close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

void PrintMessage(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
}

std::string ContentFolderFor(const std::string& programFolder) {
  namespace fs = std::filesystem;
  // The pictures are the first thing the game reads; a folder without them holds no content.
  auto holdsContent = [](const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "img", error);
  };
  const fs::path beside(programFolder);
  if (holdsContent(beside)) return beside.string();
  const fs::path installed = (beside / ".." / "share" / "velmora").lexically_normal();
  if (holdsContent(installed)) return installed.string();
  return beside.string();
}

std::string ChangeToContentDirectory() {
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::string folder = ContentFolderFor(self.parent_path().string());
  std::filesystem::current_path(folder, error);
  return error ? std::string() : folder;
}

void GiveBackFreedMemory() { malloc_trim(0); }

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  if (!(statm >> size >> resident)) return 0;
  return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace sys
