#include "world/UphysicEngine3.h"

#include <GL/gl.h>

#include "platform/Window.h"

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

void ApplyView(const TViewTransform& view) {
  if (view.bobbing) glTranslatef(0.0f, static_cast<GLfloat>(view.bobLift), 0.0f);
  glRotatef(static_cast<GLfloat>(view.rotation.x), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<GLfloat>(view.rotation.y), 0.0f, 1.0f, 0.0f);
  glTranslatef(static_cast<GLfloat>(view.position.x), static_cast<GLfloat>(view.position.y),
               static_cast<GLfloat>(view.position.z));
}
