#include "renderer/TitleCardDraw.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "renderer/Textures.h"

TTextTexture UploadTextTexture(int width, int height, const std::uint8_t* rgba, int inkWidth) {
  TTextTexture result;
  result.texture = TTexture(UploadTexture(width, height, GL_RGBA, rgba));
  result.width = width;
  result.height = height;
  result.inkWidth = inkWidth;
  return result;
}

// The pixels are premultiplied by their alpha, so the whole quad fades by scaling all
// four channels alike.
void DrawTextTexture(const TTextTexture& text, double x, double y, double alpha, double zoom) {
  if (!text.texture || alpha <= 0.0) return;
  const double halfW = text.width * zoom / 2.0;
  const double halfH = text.height * zoom / 2.0;
  // At one to one, corners on whole pixels keep every letter sharp.
  const double left = zoom == 1.0 ? std::round(x - halfW) : x - halfW;
  const double bottom = zoom == 1.0 ? std::round(y - halfH) : y - halfH;
  const auto a = static_cast<GLfloat>(std::clamp(alpha, 0.0, 1.0));
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, text.texture.Id());
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(a, a, a, a);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2d(left, bottom);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2d(left + 2.0 * halfW, bottom);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2d(left + 2.0 * halfW, bottom + 2.0 * halfH);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2d(left, bottom + 2.0 * halfH);
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
