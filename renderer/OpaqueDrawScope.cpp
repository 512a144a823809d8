#include "renderer/OpaqueDrawScope.h"

#include <GL/gl.h>

namespace {

bool Enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

// With a source alpha of 1, the usual blend gives the source colour unchanged.
bool BlendKeepsOpaqueSource() {
  const auto src = [](GLint f) { return f == GL_SRC_ALPHA || f == GL_ONE; };
  const auto dst = [](GLint f) { return f == GL_ONE_MINUS_SRC_ALPHA || f == GL_ZERO; };
  return src(Integer(GL_BLEND_SRC_RGB)) && dst(Integer(GL_BLEND_DST_RGB)) &&
         src(Integer(GL_BLEND_SRC_ALPHA)) && dst(Integer(GL_BLEND_DST_ALPHA)) &&
         Integer(GL_BLEND_EQUATION_RGB) == GL_FUNC_ADD && Integer(GL_BLEND_EQUATION_ALPHA) == GL_FUNC_ADD;
}

bool AlphaTestPassesOne() {
  GLfloat ref = 0.0f;
  glGetFloatv(GL_ALPHA_TEST_REF, &ref);
  switch (Integer(GL_ALPHA_TEST_FUNC)) {
    case GL_ALWAYS: return true;
    case GL_GREATER: return 1.0f > ref;
    case GL_GEQUAL: return 1.0f >= ref;
    case GL_EQUAL: return 1.0f == ref;
    case GL_NOTEQUAL: return 1.0f != ref;
    case GL_LEQUAL: return 1.0f <= ref;
    case GL_LESS: return 1.0f < ref;
    default: return false;
  }
}

// A test that always passes and an update that writes nothing, on both faces.
bool StencilChangesNothing() {
  const auto keeps = [](GLenum func, GLenum depthFail, GLenum depthPass, GLenum writeMask) {
    return Integer(func) == GL_ALWAYS &&
           ((Integer(depthFail) == GL_KEEP && Integer(depthPass) == GL_KEEP) || Integer(writeMask) == 0);
  };
  return keeps(GL_STENCIL_FUNC, GL_STENCIL_PASS_DEPTH_FAIL, GL_STENCIL_PASS_DEPTH_PASS, GL_STENCIL_WRITEMASK) &&
         keeps(GL_STENCIL_BACK_FUNC, GL_STENCIL_BACK_PASS_DEPTH_FAIL, GL_STENCIL_BACK_PASS_DEPTH_PASS,
               GL_STENCIL_BACK_WRITEMASK);
}

}  // namespace

// Inside a list being compiled the state at drawing time is not known: nothing is changed.
TOpaqueDrawScope::TOpaqueDrawScope(bool opaque) {
  if (Integer(GL_LIST_INDEX) != 0) return;
  stencilOff_ = Enabled(GL_STENCIL_TEST) && StencilChangesNothing();
  if (stencilOff_) glDisable(GL_STENCIL_TEST);
  if (!opaque) return;
  blendOff_ = Enabled(GL_BLEND) && BlendKeepsOpaqueSource();
  alphaTestOff_ = Enabled(GL_ALPHA_TEST) && AlphaTestPassesOne();
  if (blendOff_) glDisable(GL_BLEND);
  if (alphaTestOff_) glDisable(GL_ALPHA_TEST);
}

TOpaqueDrawScope::~TOpaqueDrawScope() {
  if (stencilOff_) glEnable(GL_STENCIL_TEST);
  if (blendOff_) glEnable(GL_BLEND);
  if (alphaTestOff_) glEnable(GL_ALPHA_TEST);
}
