#include "saves/SlotWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

std::string Reason(const std::string& what, const std::string& path) {
  return what + " \"" + path + "\": " + std::strerror(errno);
}

// Closes the descriptor however the write ends; Release hands the close to the caller,
// whose result counts (a failed close can be the first sign of a full disk).
class TFileHandle {
 public:
  explicit TFileHandle(int fd) : fd_(fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable. Best effort: some file systems refuse to sync a folder.
void SyncFolderOf(const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool Fail(const std::string& temp, const std::string& reason, std::string& error) {
  error = reason;
  ::unlink(temp.c_str());
  return false;
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return path + ".tmp"; }

bool ReplaceFileSafely(const std::string& path, const std::string& content, std::string& error,
                       TWriteStep stopAfter) {
  const std::string temp = TemporaryPathFor(path);
  TFileHandle file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.Get() < 0) {
    error = Reason("cannot create", temp);
    return false;
  }
  if (stopAfter == TWriteStep::TempCreated) return false;
  if (!WriteAll(file.Get(), content)) return Fail(temp, Reason("cannot write", temp), error);
  if (stopAfter == TWriteStep::TempWritten) return false;
  if (::fsync(file.Get()) != 0) return Fail(temp, Reason("cannot flush", temp), error);
  if (::close(file.Release()) != 0) return Fail(temp, Reason("cannot close", temp), error);
  if (stopAfter == TWriteStep::TempFlushed) return false;
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    return Fail(temp, Reason("cannot replace", path), error);
  }
  if (stopAfter == TWriteStep::Renamed) return false;
  SyncFolderOf(path);
  return true;
}
