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
// progressive: libjpeg's usual progressive scan script instead of one baseline scan.
TBytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb, int quality,
                  bool progressive = false);

// The file with its last scan (from the last start-of-scan marker up to the end-of-image
// marker) stored `times` more times: a decoder takes the repeats as further refinement
// passes, which is how a crafted file makes a decoder work for thousands of scans. No
// bytes when the file has no scan or does not end in an end-of-image marker.
TBytes RepeatLastScan(const TBytes& jpeg, int times);

// EncodeJpeg, then the bytes into the file (missing folders are created); false on failure.
bool WriteJpegFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb,
                   int quality);
