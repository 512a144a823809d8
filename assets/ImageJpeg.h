// JPEG pixels through libjpeg, with an error manager that returns instead of ending the
// program: a damaged picture is a failed load, never a crash.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/Image.h"

// Decodes the whole file into RGBA (alpha 255), bottom row first. False for anything
// libjpeg cannot read, and for sizes ImageSizeAcceptable refuses.
bool DecodeJpegPixels(const std::vector<std::uint8_t>& bytes, TImage& image);
