// 16-bit PCM WAV files (RIFF, "fmt " chunk of 16 bytes, one "data" chunk).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/ByteWriter.h"

// Samples are interleaved when channels > 1. An odd count of bytes never occurs with
// 16-bit samples, so no pad byte is needed.
TBytes FormatWav16(const std::vector<std::int16_t>& samples, int channels, int sampleRate);
bool WriteWav16(const std::string& path, const std::vector<std::int16_t>& samples, int channels,
                int sampleRate);
