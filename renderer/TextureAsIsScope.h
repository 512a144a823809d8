// Taking a texture's colour as it is, for an unlit surface drawn in white.
#pragma once

// Textures are uploaded to be modulated by the vertex colour, which lighting and fades
// need. An unlit surface drawn in white gets the texture's own colour that way, but a
// software renderer still carries the colour to every pixel and multiplies by it. While
// this lives the texture replaces the colour instead: the picture is the same, and the
// terrain, the largest fill of a race frame, is cheaper to fill. Only for draws whose
// colour is opaque white with lighting off; what was set is set again at the end. Inside
// a list being compiled both changes are recorded.
class TTextureAsIsScope {
 public:
  TTextureAsIsScope();
  ~TTextureAsIsScope();
  TTextureAsIsScope(const TTextureAsIsScope&) = delete;
  TTextureAsIsScope& operator=(const TTextureAsIsScope&) = delete;

 private:
  int previous_ = 0;
};
