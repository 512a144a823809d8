#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/SystemServices.h"

namespace fs = std::filesystem;

// A started program runs on its own: the call returns at once, the program's end is
// seen, and nothing is left behind for the game to reap.
TEST(SystemServices, AStartedProgramRunsDetachedAndItsEndIsSeen) {
  fs::path script = fs::temp_directory_path() / ("velmora-film-" + std::to_string(::getpid()));
  std::ofstream(script) << "#!/bin/sh\nsleep 0.6\n";
  fs::permissions(script, fs::perms::owner_all);
  long pid = 0;
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(sys::StartDetached(script.string(), &pid));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400));
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(sys::ProcessRunning(pid));
  bool ended = false;
  for (int i = 0; i < 100 && !ended; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ended = !sys::ProcessRunning(pid);
  }
  EXPECT_TRUE(ended);
  fs::remove(script);

  long none = 123;
  EXPECT_FALSE(sys::StartDetached("/no/such/film.exe", &none));
  EXPECT_EQ(none, 0);
  EXPECT_FALSE(sys::ProcessRunning(0));
}
