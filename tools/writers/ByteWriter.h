// Little-endian byte output shared by the file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline void PutU8(TBytes& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }
inline void PutU16(TBytes& out, unsigned v) {
  PutU8(out, v & 0xFF);
  PutU8(out, (v >> 8) & 0xFF);
}
inline void PutU32(TBytes& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

// Writes the bytes to the file, creating missing folders; false when it cannot.
bool WriteBytesToFile(const std::string& path, const TBytes& bytes);
bool WriteTextToFile(const std::string& path, const std::string& text);
