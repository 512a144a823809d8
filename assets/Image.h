// Pictures as plain records: BMP, TGA and JPEG bytes decoded into tightly packed RGB or
// RGBA pixels, bottom row first (OpenGL's origin). No GL here: Textures.cpp uploads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TImage {
  int width = 0;
  int height = 0;
  int channels = 0;                  // 3: red, green, blue; 4: red, green, blue, alpha
  std::vector<std::uint8_t> pixels;  // width x height x channels bytes, bottom row first
};

// What a decoder gives back. On failure `message` and `caption` are what the player is
// shown; an empty message is a silent failure (a name the loader does not know).
struct TDecodeResult {
  bool ok = false;
  TImage image;
  std::string message;
  std::string caption;
};

enum class TImageKind { None, Bmp, Jpeg, Tga };

// By the last four characters of the name, any letter case: ".BMP", ".JPG", ".TGA".
// ".jpeg" and anything else is None.
TImageKind ImageKindOf(const std::string& fileName);

// A picture is decoded only when it has at least one pixel each way, at most 65535 each
// way (sizes reach the upload as 16-bit values) and at most this many pixels in all.
inline constexpr long long kMaxImagePixels = 16LL * 1024 * 1024;
bool ImageSizeAcceptable(long long width, long long height);

// `name` is the file name as the caller wrote it (it appears in the messages);
// `fileOpened` false means the file could not be opened or read at all.
TDecodeResult DecodeBmp(const std::string& name, const std::vector<std::uint8_t>& bytes,
                        bool fileOpened);
TDecodeResult DecodeTga(const std::string& name, const std::vector<std::uint8_t>& bytes,
                        bool fileOpened);
TDecodeResult DecodeJpeg(const std::string& name, const std::vector<std::uint8_t>& bytes,
                         bool fileOpened);

// Reads the whole file (through ResolvePath) and decodes it by its name's ending.
TDecodeResult DecodeImageFile(const std::string& fileName);

// The picture at half its size each way (an odd side rounds up, and its last row or
// column is averaged with itself): each pixel the mean of the 2 x 2 it covers, rounded.
// A picture already 1 x 1, or empty, comes back as it is.
TImage HalvedImage(const TImage& image);

// A rectangle of texels: columns [column0, column1) and rows [row0, row1), rows counted
// from the picture's first (bottom) row.
struct TTexelRect {
  int column0 = 0, row0 = 0, column1 = 0, row1 = 0;
};
// Where a picture drawn with linear filtering and repeated at its edges can show at all:
// by bands of `bandRows` rows, the runs of columns that hold every texel whose filtered
// neighbourhood (the texel and the eight around it, across the edges too) has an alpha
// above 0, one rectangle per run. A band that shows nothing has none; a picture without
// alpha is one rectangle, whole.
std::vector<TTexelRect> VisibleBands(const TImage& image, int bandRows);

// Exchanges bytes 0 and 2 of each of `count` consecutive 3-byte pixels.
void SwapRedBlue(std::uint8_t* pixels, std::size_t count);
// Copies one pixel of `bytesPerPixel` bytes (3 or 4) with bytes 0 and 2 exchanged.
void CopyPixelSwapped(const std::uint8_t* source, std::uint8_t* destination, int bytesPerPixel);
