// Baseline JPEG output for the content generator's opaque pictures (backgrounds, terrain,
// sky). The game decodes them with libjpeg at full size, so plain 4:2:0 baseline is enough.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/ByteWriter.h"

// Encodes width x height RGB pixels (3 bytes each, rows tightly packed, top row first).
// quality is libjpeg's 1..100 scale. Returns no bytes when the sizes do not match the
// pixel count or the encoder refuses the picture. The same input always gives the same
// bytes: no time stamp or comment goes into the file.
TBytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb, int quality);

// EncodeJpeg, then the bytes into the file (missing folders are created); false on failure.
bool WriteJpegFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
                   int quality);
