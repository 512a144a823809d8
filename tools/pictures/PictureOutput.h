// Where the drawn pictures go: TGA and JPEG files under the run folder, and optionally a
// copy kept in memory for the contact sheet.
#pragma once

#include <string>
#include <vector>

#include "tools/pictures/Picture.h"

enum class TTgaPacking { Raw, Rle };

struct TWrittenPicture {
  std::string path;  // relative to the run folder, as the game names it
  TPicture picture;  // empty unless the output keeps copies
};

class TPictureOutput {
 public:
  TPictureOutput(std::string root, bool keepCopies);

  // 32-bit TGA with alpha, bottom-left origin (the game's loader uses rows as stored).
  void Tga(const std::string& path, const TPicture& picture, TTgaPacking packing);
  // Opaque JPEG; the alpha of the picture is ignored.
  void Jpeg(const std::string& path, const TPicture& picture, int quality = 92);

  const std::vector<TWrittenPicture>& Written() const { return written_; }
  const std::vector<std::string>& Failures() const { return failures_; }

 private:
  void Record(const std::string& path, const TPicture& picture, bool ok);

  std::string root_;
  bool keepCopies_;
  std::vector<TWrittenPicture> written_;
  std::vector<std::string> failures_;
};
