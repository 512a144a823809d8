// Seeds for the fuzz targets. Each fuzz/seeds_<name>.cpp registers one maker with a
// static object; the program velmora_seeds (all makers linked together) calls every
// maker with a folder of its own, into which it writes a few small, valid inputs:
//
//   static TSeedMaker maker("tga", [](const std::string& dir) {
//     WriteSeed(dir, "rle32.tga", MakeTga(picture, true));
//   });
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/writers/ByteWriter.h"

using TSeedMake = std::function<void(const std::string& dir)>;

class TSeedMaker {
 public:
  TSeedMaker(const std::string& name, TSeedMake make) { Makers()[name] = std::move(make); }

  // Every registered maker by target name.
  static std::map<std::string, TSeedMake>& Makers() {
    static std::map<std::string, TSeedMake> makers;
    return makers;
  }
};

// Writes one seed file into the maker's folder.
inline void WriteSeed(const std::string& dir, const std::string& fileName, const TBytes& bytes) {
  WriteBytesToFile(dir + "/" + fileName, bytes);
}

inline void WriteSeed(const std::string& dir, const std::string& fileName, const std::string& text) {
  WriteTextToFile(dir + "/" + fileName, text);
}
