#include "world/Utrack.h"

#include "renderer/RingDraw.h"
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
      draw_(std::make_unique<TRingDraw>(kRingMesh, kCaughtRingMesh)),
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
        draw_->Draw(rings_[static_cast<std::size_t>(i)], true);
        break;
      case TRingMesh::Ring:
        draw_->Draw(rings_[static_cast<std::size_t>(i)], false);
        break;
      case TRingMesh::None:
        break;
    }
  }
}

void Ttrack::CatchUpTo(int count) {
  const int limit = count < RingCount() ? count : RingCount();
  for (; caughtCount_ < limit; ++caughtCount_) rings_[caughtCount_].caught = true;
}
