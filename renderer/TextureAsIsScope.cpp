#include "renderer/TextureAsIsScope.h"

#include <GL/gl.h>

TTextureAsIsScope::TTextureAsIsScope() {
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &previous_);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

TTextureAsIsScope::~TTextureAsIsScope() {
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, previous_);
}
