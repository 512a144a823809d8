// The clear between race frames takes the stencil with the depth: the software renderer
// then fills whole depth-stencil words instead of keeping the stencil's bits in each.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "renderer/RaceViewDraw.h"
#include "tests/gl/GlTestSupport.h"

namespace {

std::vector<GLubyte> StencilRow(int y) {
  std::vector<GLubyte> row(1024);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, y, 1024, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, row.data());
  return row;
}

}  // namespace

TEST(RaceClear, TheRaceClearLeavesColourDepthAndStencilAtTheirClearValues) {
  FreshGlPlatform();
  glClearStencil(1);
  glClear(GL_STENCIL_BUFFER_BIT);
  glClearStencil(0);
  ASSERT_EQ(StencilRow(300), std::vector<GLubyte>(1024, 1));
  SetRaceClearColour();
  ClearRaceBuffers();
  EXPECT_EQ(StencilRow(300), std::vector<GLubyte>(1024, 0));
  GLfloat depth = 0.0f;
  glReadPixels(500, 400, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_EQ(depth, 1.0f);
  const TRgb colour = ReadPixelTopLeft(500, 400);
  EXPECT_TRUE(colour.r == 0 && colour.g == 0 && colour.b == 204) << colour.r << " " << colour.g << " " << colour.b;
}
