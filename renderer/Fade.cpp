#include "renderer/Fade.h"

#include <GL/gl.h>

#include "renderer/EndSequenceDraw.h"

void LetFaintFragmentsThrough() { glAlphaFunc(GL_ALWAYS, 1.0f); }

void DrawWhiteVeil(double x0, double y0, double x1, double y1, double alpha) {
  glColor4d(1.0, 1.0, 1.0, alpha);
  DrawTexturedQuad(0, x0, y0, x1, y1);
}

void CallListFaded(std::uint32_t list, double alpha) {
  glColor4d(1.0, 1.0, 1.0, alpha);
  glCallList(list);
}
