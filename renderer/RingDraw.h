// The rings of a course on the GPU: the ring mesh and the caught-ring mesh, and one ring
// drawn at its place, size and turn.
#pragma once

#include <string>

#include "assets/Utype.h"
#include "renderer/ULoaderObj.h"

class TRingDraw {
 public:
  // Loads both meshes. A missing file throws std::runtime_error naming it; a mesh loaded
  // before the throw is given back.
  TRingDraw(const std::string& ringMesh, const std::string& caughtMesh);

  // One ring in the current modelview, with the caught-ring mesh or the ring mesh. The
  // matrix is left as it was.
  void Draw(const TRing& ring, bool caught) const;

 private:
  TObj ring_;
  TObj caught_;
};
