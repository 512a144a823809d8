#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// The entry of `folder` whose name equals `name` but for letter case, or empty.
std::string FindIgnoringCase(const fs::path& folder, const std::string& name) {
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
  if (error) return {};
  std::string best;
  for (const auto& entry : it) {
    std::string candidate = entry.path().filename().string();
    // Several spellings may exist; take the first in name order, so every run agrees.
    if (SameIgnoringCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  return best;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
  std::string normal = path;
  std::replace(normal.begin(), normal.end(), '\\', '/');
  std::error_code error;
  if (normal.empty() || fs::exists(normal, error)) return normal;

  fs::path written(normal);
  fs::path resolved;
  for (const auto& part : written) {
    std::string name = part.string();
    if (name.empty() || name == "/" || name == "." || name == "..") {
      resolved /= part;
      continue;
    }
    fs::path exact = resolved / part;
    if (fs::exists(exact, error)) {
      resolved = exact;
      continue;
    }
    std::string match = FindIgnoringCase(resolved, name);
    if (match.empty()) return normal;
    resolved /= match;
  }
  return resolved.string();
}

bool PathExists(const std::string& path) {
  std::error_code error;
  return fs::exists(ResolvePath(path), error);
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  std::string real = ResolvePath(path);
  if (!fs::is_regular_file(real, error)) return false;
  std::ifstream in(real, std::ios::binary);
  if (!in) return false;
  // Sized from the start: growing by doubling would hold up to twice a big file.
  const auto size = fs::file_size(real, error);
  bytes.clear();
  if (!error) bytes.reserve(static_cast<std::size_t>(size));
  bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ReadFileText(const std::string& path, std::string& text) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  text.assign(bytes.begin(), bytes.end());
  return true;
}
