// velmora_seeds OUT_DIR [NAME...]: writes the seeds of every target (or of those named)
// into OUT_DIR/<name>/. velmora_seeds --list names the targets that have seeds.
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/SeedMaker.h"

namespace {

int MakeSeeds(const std::string& outDir, const std::string& name, const TSeedMake& make) {
  const std::string dir = outDir + "/" + name;
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "velmora_seeds: cannot create %s\n", dir.c_str());
    return 1;
  }
  make(dir);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto& makers = TSeedMaker::Makers();
  if (argc < 2) {
    std::fprintf(stderr, "usage: velmora_seeds OUT_DIR [NAME...] | --list\n");
    return 2;
  }
  const std::string first = argv[1];
  if (first == "--list") {
    for (const auto& [name, make] : makers) std::printf("%s\n", name.c_str());
    return 0;
  }
  int failures = 0;
  if (argc == 2) {
    for (const auto& [name, make] : makers) failures += MakeSeeds(first, name, make);
  }
  for (int i = 2; i < argc; ++i) {
    auto found = makers.find(argv[i]);
    // A target without a maker starts from an empty corpus.
    if (found != makers.end()) failures += MakeSeeds(first, found->first, found->second);
  }
  return failures == 0 ? 0 : 1;
}
