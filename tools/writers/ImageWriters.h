// BMP and TGA files from a picture record (assets/Image.h: bottom row first, RGB or RGBA).
// Shared by the content generator, the tests' fixtures and the fuzzers' seeds.
#pragma once

#include <string>

#include "assets/Image.h"
#include "tools/writers/ByteWriter.h"

// A 24-bit uncompressed BMP: the two usual headers, no palette, rows bottom first and
// padded to four bytes. The alpha of a four-channel picture is dropped.
TBytes MakeBmp24(const TImage& image);

// A TGA of 24 bits (three channels) or 32 bits (four, alpha kept), origin bottom-left,
// no image-ID field. `rle` writes type 10 (run-length packets, never across a row),
// otherwise type 2.
TBytes MakeTga(const TImage& image, bool rle);

// The same, written to a file (missing folders are created); false when it cannot.
bool WriteBmp24(const std::string& path, const TImage& image);
bool WriteTga(const std::string& path, const TImage& image, bool rle);

// A picture of the given size with every pixel `value` ({r, g, b} or {r, g, b, a}).
TImage MakeSolidImage(int width, int height, const std::vector<std::uint8_t>& value);
