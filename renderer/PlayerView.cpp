#include "renderer/PlayerView.h"

#include <GL/gl.h>

void MultiplyPlayerView(double bobLift, T_point rotation, T_point position) {
  if (bobLift != 0.0) glTranslatef(0.0f, static_cast<GLfloat>(bobLift), 0.0f);
  glRotatef(static_cast<GLfloat>(rotation.x), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<GLfloat>(rotation.y), 0.0f, 1.0f, 0.0f);
  glTranslatef(static_cast<GLfloat>(position.x), static_cast<GLfloat>(position.y),
               static_cast<GLfloat>(position.z));
}
