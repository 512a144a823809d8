#include "renderer/GlHandles.h"

#include <GL/gl.h>

void TTexture::Reset() {
  if (name_ == 0) return;
  const GLuint name = name_;
  glDeleteTextures(1, &name);
  name_ = 0;
}

TDisplayLists::TDisplayLists(int count) {
  if (count <= 0) return;
  base_ = glGenLists(count);
  count_ = base_ == 0 ? 0 : count;
}

void TDisplayLists::Reset() {
  if (base_ != 0) glDeleteLists(base_, count_);
  base_ = 0;
  count_ = 0;
}

TDisplayLists RecordDisplayList(const std::function<void()>& draw) {
  TDisplayLists list(1);
  if (!list) return list;
  glNewList(list[0], GL_COMPILE);
  draw();
  glEndList();
  return list;
}
