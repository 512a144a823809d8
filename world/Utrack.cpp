#include "world/Utrack.h"

#include <GL/gl.h>

#include "world/Course.h"
#include "world/CourseGen.h"

namespace {
constexpr const char* kRingMesh = "mesh/anneau.obj";
constexpr const char* kCaughtRingMesh = "mesh/ring_caught.obj";
}  // namespace

// What both forms share: the terrain copy, sizes and the two meshes.
Ttrack::Ttrack(const t_rain& terrain, const T_bounding_box& craftBox, int)
    : minSpacing_(MinRingSpacing(terrain.cellSize)),
      worldWidth_(::WorldWidth(terrain)),
      worldDepth_(::WorldDepth(terrain)),
      terrain_(terrain),
      ringMesh_(std::make_unique<TObj>(kRingMesh)),
      caughtMesh_(std::make_unique<TObj>(kCaughtRingMesh)),
      craftBox_(craftBox) {}

Ttrack::Ttrack(TRing_tab rings, const t_rain& terrain, const T_bounding_box& craftBox)
    : Ttrack(terrain, craftBox, 0) {
  rings_ = std::move(rings);
  ClearCaught(rings_);
}

Ttrack::Ttrack(const t_rain& terrain, const T_bounding_box& craftBox) : Ttrack(terrain, craftBox, 0) {
  rings_ = GenerateCourse(terrain_);
}

Ttrack::~Ttrack() = default;

void Ttrack::UpdateAndDraw(T_point player) {
  for (int i = 0; i < RingCount(); ++i) {
    switch (StepRing(rings_, i, caughtCount_, player, terrain_.cellSize)) {
      case TRingMesh::Caught:
        DrawRing(rings_[static_cast<std::size_t>(i)], *caughtMesh_);
        break;
      case TRingMesh::Ring:
        DrawRing(rings_[static_cast<std::size_t>(i)], *ringMesh_);
        break;
      case TRingMesh::None:
        break;
    }
  }
}

// Rotation z stays unused: generated rings have none and the files keep it at 0.
void Ttrack::DrawRing(const TRing& ring, const TObj& mesh) const {
  glPushMatrix();
  glTranslated(ring.origin.x, ring.origin.y, ring.origin.z);
  glScaled(ring.scale, ring.scale, ring.scale);
  glPushMatrix();
  glRotated(ring.rotation.y, 0.0, 1.0, 0.0);
  glRotated(ring.rotation.x, 1.0, 0.0, 0.0);
  mesh.Draw();
  glPopMatrix();
  glPopMatrix();
}

void Ttrack::CatchUpTo(int count) {
  const int limit = count < RingCount() ? count : RingCount();
  for (; caughtCount_ < limit; ++caughtCount_) rings_[caughtCount_].caught = true;
}
