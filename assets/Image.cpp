#include "assets/Image.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "assets/ImageJpeg.h"
#include "platform/Paths.h"

namespace {

constexpr char kBmpCaption[] = "BMP Unit";
constexpr char kBmpDataError[] = "Error reading bitmap data";
constexpr std::size_t kBmpHeadersSize = 14 + 40;

constexpr char kTgaCaption[] = "TGA File Error";
constexpr std::size_t kTgaHeaderSize = 18;
constexpr unsigned kTgaTopLeftOrigin = 0x20;

using TBytes = std::vector<std::uint8_t>;

TDecodeResult Fail(std::string message, std::string caption) {
  TDecodeResult result;
  result.message = std::move(message);
  result.caption = std::move(caption);
  return result;
}

TDecodeResult Success(TImage image) {
  TDecodeResult result;
  result.ok = true;
  result.image = std::move(image);
  return result;
}

std::uint32_t ReadU16(const TBytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t ReadU32(const TBytes& bytes, std::size_t at) {
  return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

std::int32_t ReadS32(const TBytes& bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadU32(bytes, at));
}

bool AllocatePixels(TImage& image, long long width, long long height, int channels) {
  if (!ImageSizeAcceptable(width, height)) return false;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.channels = channels;
  image.pixels.resize(static_cast<std::size_t>(width * height * channels));
  return true;
}

void ReverseRows(TImage& image) {
  const std::size_t stride = static_cast<std::size_t>(image.width) * image.channels;
  auto* pixels = image.pixels.data();
  for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(pixels + top * stride, pixels + (top + 1) * stride, pixels + bottom * stride);
  }
}

// ---- BMP ----

struct TBmpLayout {
  long long width = 0;
  long long height = 0;
  bool topDown = false;    // a negative height stores the top row first
  std::size_t stride = 0;  // bytes from one stored row to the next
};

// Only 24-bit uncompressed files are read. Rows are usually padded to four bytes; a file
// whose data is too short for that but holds tightly packed rows is read packed.
bool FindBmpLayout(const TBytes& bytes, std::size_t dataStart, TBmpLayout& layout) {
  const long long storedHeight = ReadS32(bytes, 22);
  layout.width = ReadS32(bytes, 18);
  layout.height = storedHeight < 0 ? -storedHeight : storedHeight;
  layout.topDown = storedHeight < 0;
  if (ReadU16(bytes, 28) != 24 || ReadU32(bytes, 30) != 0) return false;
  if (!ImageSizeAcceptable(layout.width, layout.height)) return false;

  const std::uint64_t available = bytes.size() - dataStart;
  const std::uint64_t packed = static_cast<std::uint64_t>(layout.width) * 3;
  const std::uint64_t padded = (packed + 3) / 4 * 4;
  const std::uint64_t height = static_cast<std::uint64_t>(layout.height);
  std::uint64_t dataLength = ReadU32(bytes, 34);
  if (dataLength == 0) dataLength = available >= padded * height ? padded * height : packed * height;
  if (available < dataLength) return false;
  if (dataLength >= padded * height) {
    layout.stride = static_cast<std::size_t>(padded);
  } else if (dataLength >= packed * height) {
    layout.stride = static_cast<std::size_t>(packed);
  } else {
    return false;
  }
  return true;
}

// Stored blue, green, red becomes red, green, blue, bottom row first.
void CopyBmpRows(const std::uint8_t* data, const TBmpLayout& layout, TImage& image) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  for (int row = 0; row < image.height; ++row) {
    const int storedRow = layout.topDown ? image.height - 1 - row : row;
    const std::uint8_t* source = data + static_cast<std::size_t>(storedRow) * layout.stride;
    std::uint8_t* target = image.pixels.data() + static_cast<std::size_t>(row) * rowBytes;
    std::memcpy(target, source, rowBytes);
    SwapRedBlue(target, static_cast<std::size_t>(image.width));
  }
}

// ---- TGA ----

std::string TgaRefusal(const std::string& name, const char* reason) {
  return "Couldn't load \"" + name + "\". " + reason;
}

std::string TgaReadError(const std::string& name) {
  return "Couldn't read file \"" + name + "\".";
}

// The fewest data bytes that can describe the picture: one run packet per 128 pixels.
// Checked before the pixels are allocated, so a short file never costs a large buffer.
bool TgaDataCanFill(std::size_t available, unsigned type, long long pixels, int bytesPerPixel) {
  const long long needed = type == 2 ? pixels * bytesPerPixel : (pixels + 127) / 128 * (1 + bytesPerPixel);
  return static_cast<long long>(available) >= needed;
}

// The pixel size is a template argument so that each copy is a fixed-size move.
template <int kSize>
void SwapCopy(const std::uint8_t* source, std::uint8_t* destination) {
  destination[0] = source[2];
  destination[1] = source[1];
  destination[2] = source[0];
  if constexpr (kSize == 4) destination[3] = source[3];
}

template <int kSize>
bool ReadTgaRaw(const TBytes& bytes, std::size_t dataStart, TImage& image) {
  if (bytes.size() < dataStart || bytes.size() - dataStart < image.pixels.size()) return false;
  const std::uint8_t* source = bytes.data() + dataStart;
  std::uint8_t* target = image.pixels.data();
  std::uint8_t* const end = target + image.pixels.size();
  for (; target != end; source += kSize, target += kSize) SwapCopy<kSize>(source, target);
  return true;
}

// Packets until every pixel is written; a packet that runs past the last pixel stops
// there, and data that ends first leaves the picture unread (false).
template <int kSize>
bool ReadTgaRle(const TBytes& bytes, std::size_t dataStart, TImage& image) {
  if (bytes.size() < dataStart) return false;
  const std::uint8_t* in = bytes.data() + dataStart;
  const std::uint8_t* const inEnd = bytes.data() + bytes.size();
  std::uint8_t* out = image.pixels.data();
  std::uint8_t* const outEnd = out + image.pixels.size();
  while (out < outEnd) {
    if (in == inEnd) return false;
    const unsigned header = *in++;
    const std::size_t count = std::min<std::size_t>((header & 0x7F) + 1, static_cast<std::size_t>(outEnd - out) / kSize);
    const std::size_t needed = header < 128 ? count * kSize : kSize;
    if (static_cast<std::size_t>(inEnd - in) < needed) return false;
    if (header < 128) {
      for (std::size_t i = 0; i < count; ++i) SwapCopy<kSize>(in + i * kSize, out + i * kSize);
    } else {
      std::uint8_t pixel[kSize];
      SwapCopy<kSize>(in, pixel);
      for (std::size_t i = 0; i < count; ++i) std::memcpy(out + i * kSize, pixel, kSize);
    }
    in += needed;
    out += count * kSize;
  }
  return true;
}

bool ReadTgaPixels(const TBytes& bytes, std::size_t dataStart, unsigned type, TImage& image) {
  if (type == 2) {
    return image.channels == 4 ? ReadTgaRaw<4>(bytes, dataStart, image) : ReadTgaRaw<3>(bytes, dataStart, image);
  }
  return image.channels == 4 ? ReadTgaRle<4>(bytes, dataStart, image) : ReadTgaRle<3>(bytes, dataStart, image);
}

}  // namespace

TImageKind ImageKindOf(const std::string& fileName) {
  if (fileName.size() < 4) return TImageKind::None;
  std::string ending = fileName.substr(fileName.size() - 4);
  for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ending == ".BMP") return TImageKind::Bmp;
  if (ending == ".JPG") return TImageKind::Jpeg;
  if (ending == ".TGA") return TImageKind::Tga;
  return TImageKind::None;
}

bool ImageSizeAcceptable(long long width, long long height) {
  return width >= 1 && height >= 1 && width <= 65535 && height <= 65535 &&
         width * height <= kMaxImagePixels;
}

void SwapRedBlue(std::uint8_t* pixels, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, pixels += 3) std::swap(pixels[0], pixels[2]);
}

void CopyPixelSwapped(const std::uint8_t* source, std::uint8_t* destination, int bytesPerPixel) {
  if (bytesPerPixel == 4) {
    SwapCopy<4>(source, destination);
  } else {
    SwapCopy<3>(source, destination);
  }
}

TDecodeResult DecodeBmp(const std::string& name, const TBytes& bytes, bool fileOpened) {
  if (!fileOpened) return Fail("Error opening " + name, kBmpCaption);
  if (bytes.size() < kBmpHeadersSize) return Fail(kBmpDataError, kBmpCaption);
  // The header's count of colours is skipped as a count of bytes: a 24-bit file has none.
  const std::uint64_t skipped = ReadU32(bytes, 46);
  if (bytes.size() - kBmpHeadersSize < skipped) return Fail("Error reading palette", kBmpCaption);
  const std::size_t dataStart = kBmpHeadersSize + static_cast<std::size_t>(skipped);
  TBmpLayout layout;
  TImage image;
  if (!FindBmpLayout(bytes, dataStart, layout) || !AllocatePixels(image, layout.width, layout.height, 3)) {
    return Fail(kBmpDataError, kBmpCaption);
  }
  CopyBmpRows(bytes.data() + dataStart, layout, image);
  return Success(std::move(image));
}

TDecodeResult DecodeTga(const std::string& name, const TBytes& bytes, bool fileOpened) {
  if (!fileOpened) return Fail("File not found  - " + name, "TGA Texture");
  if (bytes.size() < kTgaHeaderSize) return Fail(TgaReadError(name), kTgaCaption);
  const unsigned type = bytes[2];
  const unsigned bits = bytes[16];
  if (type != 2 && type != 10) return Fail(TgaRefusal(name, "Only 24 and 32bit TGA supported."), kTgaCaption);
  if (bytes[1] != 0) return Fail(TgaRefusal(name, "Colormapped TGA files not supported."), kTgaCaption);
  if (bits != 24 && bits != 32) {
    return Fail(TgaRefusal(name, "Only 24 and 32 bit TGA files supported."), kTgaCaption);
  }
  // An image-ID field, when a file has one, lies between the header and the pixels.
  const std::size_t dataStart = kTgaHeaderSize + bytes[0];
  const long long width = ReadU16(bytes, 12);
  const long long height = ReadU16(bytes, 14);
  const int bytesPerPixel = static_cast<int>(bits / 8);
  TImage image;
  if (!ImageSizeAcceptable(width, height) || bytes.size() < dataStart ||
      !TgaDataCanFill(bytes.size() - dataStart, type, width * height, bytesPerPixel) ||
      !AllocatePixels(image, width, height, bytesPerPixel)) {
    return Fail(TgaReadError(name), kTgaCaption);
  }
  if (!ReadTgaPixels(bytes, dataStart, type, image)) return Fail(TgaReadError(name), kTgaCaption);
  if (bytes[17] & kTgaTopLeftOrigin) ReverseRows(image);
  return Success(std::move(image));
}

TDecodeResult DecodeJpeg(const std::string& name, const TBytes& bytes, bool fileOpened) {
  TImage image;
  if (!fileOpened || !DecodeJpegPixels(bytes, image)) {
    return Fail("Couldn't load JPG - \"" + name + "\"", kBmpCaption);
  }
  return Success(std::move(image));
}

TDecodeResult DecodeImageFile(const std::string& fileName) {
  const TImageKind kind = ImageKindOf(fileName);
  if (kind == TImageKind::None) return {};
  TBytes bytes;
  const bool opened = ReadFileBytes(fileName, bytes);
  switch (kind) {
    case TImageKind::Bmp:
      return DecodeBmp(fileName, bytes, opened);
    case TImageKind::Jpeg:
      return DecodeJpeg(fileName, bytes, opened);
    case TImageKind::Tga:
      return DecodeTga(fileName, bytes, opened);
    case TImageKind::None:
      break;
  }
  return {};
}

TImage HalvedImage(const TImage& image) {
  if (image.width <= 0 || image.height <= 0 || (image.width == 1 && image.height == 1)) return image;
  TImage half;
  half.width = (image.width + 1) / 2;
  half.height = (image.height + 1) / 2;
  half.channels = image.channels;
  half.pixels.resize(static_cast<std::size_t>(half.width) * half.height * half.channels);
  const auto at = [&](int x, int y, int c) {
    x = std::min(x, image.width - 1);
    y = std::min(y, image.height - 1);
    return static_cast<int>(image.pixels[(static_cast<std::size_t>(y) * image.width + x) * image.channels + c]);
  };
  for (int y = 0; y < half.height; ++y) {
    for (int x = 0; x < half.width; ++x) {
      for (int c = 0; c < half.channels; ++c) {
        const int sum = at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) +
                        at(2 * x + 1, 2 * y + 1, c);
        half.pixels[(static_cast<std::size_t>(y) * half.width + x) * half.channels + c] =
            static_cast<std::uint8_t>((sum + 2) / 4);
      }
    }
  }
  return half;
}

namespace {

// Whether any texel of rows [row0, row1] (wrapping) in the column has an alpha above 0.
bool ColumnShows(const TImage& image, int column, int row0, int row1) {
  for (int r = row0; r <= row1; ++r) {
    const int row = (r % image.height + image.height) % image.height;
    if (image.pixels[(static_cast<std::size_t>(row) * image.width + column) * 4 + 3] != 0) return true;
  }
  return false;
}

}  // namespace

std::vector<TTexelRect> VisibleBands(const TImage& image, int bandRows) {
  if (image.width <= 0 || image.height <= 0) return {};
  if (image.channels != 4 || bandRows <= 0) return {{0, 0, image.width, image.height}};
  std::vector<TTexelRect> bands;
  std::vector<bool> texels(static_cast<std::size_t>(image.width)), shows(texels.size());
  for (int row0 = 0; row0 < image.height; row0 += bandRows) {
    const int row1 = std::min(row0 + bandRows, image.height);
    for (int column = 0; column < image.width; ++column) texels[column] = ColumnShows(image, column, row0 - 1, row1);
    // A column shows where it or a neighbour holds a texel, across the side edges too.
    for (int column = 0; column < image.width; ++column) {
      shows[column] = texels[(column + image.width - 1) % image.width] || texels[column] ||
                      texels[(column + 1) % image.width];
    }
    for (int column = 0; column < image.width;) {
      if (!shows[column]) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < image.width && shows[column]) ++column;
      bands.push_back({first, row0, column, row1});
    }
  }
  return bands;
}
