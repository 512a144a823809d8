#include "tools/pictures/PictureOutput.h"

#include <cstring>
#include <utility>

#include "tools/writers/ImageWriters.h"
#include "tools/writers/JpegWriter.h"

namespace {

// The picture record of the game's decoders: bottom row first.
TImage ToImage(const TPicture& picture) {
  TImage image;
  image.width = picture.width;
  image.height = picture.height;
  image.channels = 4;
  image.pixels.resize(picture.rgba.size());
  const std::size_t row = static_cast<std::size_t>(picture.width) * 4;
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(&image.pixels[row * (picture.height - 1 - y)], &picture.rgba[row * y], row);
  return image;
}

std::vector<std::uint8_t> ToRgb(const TPicture& picture) {
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  std::vector<std::uint8_t> rgb(count * 3);
  for (std::size_t i = 0; i < count; ++i)
    for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = picture.rgba[i * 4 + c];
  return rgb;
}

}  // namespace

TPictureOutput::TPictureOutput(std::string root, bool keepCopies) : root_(std::move(root)), keepCopies_(keepCopies) {}

void TPictureOutput::Tga(const std::string& path, const TPicture& picture, TTgaPacking packing) {
  Record(path, picture, WriteTga(root_ + "/" + path, ToImage(picture), packing == TTgaPacking::Rle));
}

void TPictureOutput::Jpeg(const std::string& path, const TPicture& picture, int quality) {
  Record(path, picture, WriteJpegFile(root_ + "/" + path, picture.width, picture.height, ToRgb(picture), quality));
}

void TPictureOutput::Record(const std::string& path, const TPicture& picture, bool ok) {
  if (!ok) failures_.push_back(path);
  written_.push_back({path, keepCopies_ ? picture : TPicture{}});
}
