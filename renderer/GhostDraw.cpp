#include "renderer/GhostDraw.h"

#include <GL/gl.h>

#include "renderer/RaceViewDraw.h"
#include "renderer/ULoaderObj.h"

// A constant blend strength: the mesh's materials set their own colours (and alphas) as
// they draw, and the ghost must look the same whatever they are.
void DrawGhostCraft(const TObj& mesh, T_point position, T_point rotation, T_point eyeOffset,
                    T_point scale, double opacity) {
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT);
  glEnable(GL_BLEND);
  glBlendColor(0.0f, 0.0f, 0.0f, static_cast<GLfloat>(opacity));
  glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
  glDepthMask(GL_FALSE);
  DrawCraftAsSeenByItsPlayer(mesh, position, rotation, eyeOffset, scale, true);  // see-through
  glPopAttrib();
}
