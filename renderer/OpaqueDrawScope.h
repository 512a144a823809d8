// Switching off, for an opaque draw, the per-pixel work that cannot change its picture.
#pragma once

// A software renderer pays for blending, the alpha test and the stencil test on every
// pixel, even where they cannot change the result. While this lives, the stencil test is
// off if it always passes and writes nothing; and, for a draw whose every fragment has
// alpha 1, blending is off if it would give the source colour and the alpha test is off
// if it would pass. What was on is turned on again at the end.
class TOpaqueDrawScope {
 public:
  explicit TOpaqueDrawScope(bool opaque);
  ~TOpaqueDrawScope();
  TOpaqueDrawScope(const TOpaqueDrawScope&) = delete;
  TOpaqueDrawScope& operator=(const TOpaqueDrawScope&) = delete;

 private:
  bool stencilOff_ = false;
  bool blendOff_ = false;
  bool alphaTestOff_ = false;
};
