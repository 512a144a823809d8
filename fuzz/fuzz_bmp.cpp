// The BMP decoder on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/PictureCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  CheckDecoded(DecodeBmp("fuzz.bmp", bytes, true));
  return 0;
}
