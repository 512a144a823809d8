// The OBJ/MTL parser on arbitrary text: the OBJ text is the input up to its first NUL
// byte, the MTL text what follows it (an input without a NUL has no material file).
// Whatever it reads, the drawing plan (vertex, texture-coordinate and normal indices,
// materials) must stay inside the mesh's arrays.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "assets/ObjModel.h"

namespace {

void CheckPlan(const t_OBJ_item& item) {
  const auto changes = MaterialChanges(item);
  if (changes.size() != item.faces.size()) __builtin_trap();
  for (int change : changes) {
    if (change >= static_cast<int>(item.materials.size())) __builtin_trap();
  }
  for (const auto& face : item.faces) {
    for (const auto& corner : face) {
      if (CornerIndex(corner[0], item.vertices.size()) >= static_cast<long>(item.vertices.size())) __builtin_trap();
      if (CornerIndex(corner[1], item.texCoords.size()) >= static_cast<long>(item.texCoords.size())) __builtin_trap();
      if (CornerIndex(corner[2], item.normals.size()) >= static_cast<long>(item.normals.size())) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string objText = input.substr(0, split);
  const bool hasMtl = split != std::string::npos;
  const std::string mtlText = hasMtl ? input.substr(split + 1) : std::string();
  try {
    CheckPlan(ParseObj("mesh/fuzz.obj", objText, [&](std::string& text) {
      text = mtlText;
      return hasMtl;
    }));
  } catch (const std::runtime_error&) {
    if (hasMtl) __builtin_trap();  // only a missing material file may throw
  }
  return 0;
}
