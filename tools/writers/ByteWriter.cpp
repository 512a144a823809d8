#include "tools/writers/ByteWriter.h"

#include <filesystem>
#include <fstream>

bool WriteBytesToFile(const std::string& path, const TBytes& bytes) {
  std::error_code error;
  auto parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool WriteTextToFile(const std::string& path, const std::string& text) {
  return WriteBytesToFile(path, TBytes(text.begin(), text.end()));
}
