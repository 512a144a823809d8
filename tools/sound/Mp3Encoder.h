// MP3 through LAME: mono, constant bit rate, with the information frame that tells
// players how much encoder delay and padding to skip, so a loop stays gapless.
#pragma once

#include <vector>

#include "tools/writers/ByteWriter.h"

// Samples in [-1, 1]. Throws std::runtime_error when the encoder refuses the settings.
TBytes EncodeMp3(const std::vector<float>& samples, int sampleRate, int kilobitsPerSecond);
