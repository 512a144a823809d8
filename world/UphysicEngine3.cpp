#include "world/UphysicEngine3.h"

#include "platform/Window.h"
#include "renderer/PlayerView.h"

TphysicEngine::TphysicEngine(int viewportWidth, int viewportHeight, T_point start,
                             const T_bounding_box& /*craftBox*/, const TRing_tab& /*rings*/,
                             const t_rain& terrain)
    : viewportWidth_(viewportWidth),
      viewportHeight_(viewportHeight),
      state_(StartPhysics(start)),
      terrain_(terrain) {}

TphysicEngine::TphysicEngine(int viewportWidth, int viewportHeight, T_point start1, T_point start2,
                             const T_bounding_box& /*craftBox*/, const TRing_tab& /*rings*/,
                             const t_rain& terrain)
    : viewportWidth_(viewportWidth),
      viewportHeight_(viewportHeight),
      state_(StartPhysics(start1, start2)),
      terrain_(terrain) {}

void TphysicEngine::Update(int player, int /*caughtCount*/, bool pause) {
  const TPlayerKeys keys =
      ReadPlayerKeys(player, [](int code) { return wnd::GetKey(code) == wnd::PRESS; });
  ApplyView(UpdateCraft(state_, player == 2 ? 1 : 0, keys, pause, terrain_));
}

// Without a bob the view has no lift at all.
void ApplyView(const TViewTransform& view) {
  MultiplyPlayerView(view.bobbing ? view.bobLift : 0.0, view.rotation, view.position);
}
