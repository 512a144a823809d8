#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

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

// Memory freed in many small blocks stays with the process until it is given back; a
// screen left (the menu's pictures) must not stay counted through the next one.
TEST(SystemServices, FreedMemoryIsGivenBackToTheSystem) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer keeps freed blocks in its own quarantine";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer keeps freed blocks in its own quarantine";
#endif
#endif
  ASSERT_GT(sys::ResidentBytes(), 0);
  std::vector<std::unique_ptr<char[]>> blocks;
  for (int i = 0; i < 4096; ++i) {  // 64 MB in blocks too small to be mapped on their own
    blocks.emplace_back(new char[16 * 1024]);
    std::memset(blocks.back().get(), i, 16 * 1024);
  }
  const long held = sys::ResidentBytes();
  // The last block keeps the top of the heap in use: only pages in the middle can go back.
  for (std::size_t i = 0; i + 1 < blocks.size(); ++i) blocks[i].reset();
  sys::GiveBackFreedMemory();
  const long after = sys::ResidentBytes();
  EXPECT_LT(after, held - 48L * 1024 * 1024) << held << " -> " << after;
}
