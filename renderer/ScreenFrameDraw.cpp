#include "renderer/ScreenFrameDraw.h"

#include <GL/gl.h>

TPixelRect CurrentViewport() {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  return {viewport[0], viewport[1], viewport[2], viewport[3]};
}

void SetViewport(const TPixelRect& rect) { glViewport(rect.x, rect.y, rect.width, rect.height); }

void BlankOutside(const TPixelRect& frame, int windowWidth, int windowHeight) {
  if (frame.width >= windowWidth && frame.height >= windowHeight) return;
  GLfloat clear[4] = {0, 0, 0, 0};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  const GLboolean scissored = glIsEnabled(GL_SCISSOR_TEST);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  // The two bars: left and right of the frame, or below and above it.
  if (frame.width < windowWidth) {
    glScissor(0, 0, frame.x, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(frame.x + frame.width, 0, windowWidth - frame.x - frame.width, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (frame.height < windowHeight) {
    glScissor(0, 0, windowWidth, frame.y);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, frame.y + frame.height, windowWidth, windowHeight - frame.y - frame.height);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  if (!scissored) glDisable(GL_SCISSOR_TEST);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
}
