#include "saves/SlotWriter.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

namespace fs = std::filesystem;

int SystemOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

const TFileCalls kSystemCalls{SystemOpen, ::write, ::fsync, ::close, std::rename};

std::string Reason(const std::string& what, const std::string& path) {
  return what + " \"" + path + "\": " + std::strerror(errno);
}

// Closes the descriptor however the write ends; Release hands the close to the caller,
// whose result counts (a failed close can be the first sign of a full disk).
class TFileHandle {
 public:
  TFileHandle(int fd, const TFileCalls& calls) : fd_(fd), calls_(calls) {}
  ~TFileHandle() {
    if (fd_ >= 0) calls_.close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
  const TFileCalls& calls_;
};

bool WriteAll(int fd, const std::string& content, const TFileCalls& calls) {
  std::size_t done = 0;
  while (done < content.size()) {
    ssize_t n = calls.write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Makes the rename itself last. A file system that cannot flush a folder at all says so
// with EINVAL; that is no failure of this write, but any other error is.
bool SyncFolderOf(const std::string& path, const TFileCalls& calls, std::string& error) {
  const std::string folder = FolderOf(path);
  TFileHandle dir(calls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0), calls);
  if (dir.Get() < 0) {
    error = Reason("cannot open the folder", folder);
    return false;
  }
  if (calls.fsync(dir.Get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
    error = Reason("cannot flush the folder", folder);
    return false;
  }
  if (calls.close(dir.Release()) != 0) {
    error = Reason("cannot close the folder", folder);
    return false;
  }
  return true;
}

bool Fail(const std::string& temp, const std::string& reason, std::string& error) {
  error = reason;
  ::unlink(temp.c_str());
  return false;
}

// O_EXCL: a name that exists (another game's temporary file, or a link planted there)
// is never opened, written or truncated; a fresh name is tried instead.
int CreateTemporary(const std::string& path, const TFileCalls& calls, std::string& temp) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp = TemporaryPathFor(path);
    int fd = calls.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool ProcessGone(long processId) {
  return processId == static_cast<long>(::getpid()) ||
         (::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH);
}

// Temporary files a crash left beside path: those of this process (none is being
// written while this one runs) and those of processes that have ended. A running
// game's file is left to it.
void RemoveLeftovers(const std::string& path) {
  const std::string target = fs::path(path).filename().string();
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(FolderOf(path), ignored)) {
    long processId = 0;
    if (IsTemporaryOf(entry.path().filename().string(), target, processId) && ProcessGone(processId)) {
      fs::remove(entry.path(), ignored);
    }
  }
}

}  // namespace

const TFileCalls& SystemFileCalls() { return kSystemCalls; }

std::string TemporaryPathFor(const std::string& path) {
  static std::atomic<unsigned> count{0};
  return path + "." + std::to_string(::getpid()) + "." + std::to_string(count++) + ".tmp";
}

bool IsTemporaryOf(const std::string& name, const std::string& target, long& processId) {
  const std::string prefix = target + ".";
  const std::string suffix = ".tmp";
  if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  const std::size_t dot = middle.find('.');
  if (dot == 0 || dot == std::string::npos || dot + 1 == middle.size()) return false;
  if (middle.find_first_not_of("0123456789.") != std::string::npos) return false;
  if (middle.find('.', dot + 1) != std::string::npos || dot > 10) return false;
  processId = std::stol(middle.substr(0, dot));
  return processId > 0;
}

bool ReplaceFileSafely(const std::string& path, const std::string& content, std::string& error,
                       TWriteStep stopAfter, const TFileCalls& calls) {
  std::string temp;
  TFileHandle file(CreateTemporary(path, calls, temp), calls);
  if (file.Get() < 0) {
    error = Reason("cannot create", temp);
    return false;
  }
  if (stopAfter == TWriteStep::TempCreated) return false;
  if (!WriteAll(file.Get(), content, calls)) return Fail(temp, Reason("cannot write", temp), error);
  if (stopAfter == TWriteStep::TempWritten) return false;
  if (calls.fsync(file.Get()) != 0) return Fail(temp, Reason("cannot flush", temp), error);
  if (calls.close(file.Release()) != 0) return Fail(temp, Reason("cannot close", temp), error);
  if (stopAfter == TWriteStep::TempFlushed) return false;
  if (calls.rename(temp.c_str(), path.c_str()) != 0) {
    return Fail(temp, Reason("cannot replace", path), error);
  }
  if (stopAfter == TWriteStep::Renamed) return false;
  RemoveLeftovers(path);
  return SyncFolderOf(path, calls, error);
}
