// The renderer's handles: each GPU object has one owner, moves with it and is given back
// exactly once, when its last owner goes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "renderer/GlHandles.h"
#include "renderer/Textures.h"
#include "tests/gl/GlTestSupport.h"

namespace {

std::uint32_t MakeTexture() {
  const std::vector<std::uint8_t> pixels(4 * 4 * 3, 200);
  return UploadTexture(4, 4, GL_RGB, pixels.data());
}

}  // namespace

TEST(GlHandles, ATextureLivesWhileOneHandleOwnsItAndIsGivenBackOnce) {
  FreshGlPlatform();
  std::uint32_t name = 0;
  {
    TTexture first(MakeTexture());
    name = first.Id();
    ASSERT_TRUE(glIsTexture(name));
    TTexture second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Id(), name);
    TTexture third;
    third = std::move(second);
    EXPECT_TRUE(glIsTexture(name));
    // Assigning over a live handle gives its old texture back first.
    TTexture other(MakeTexture());
    const std::uint32_t otherName = other.Id();
    other = std::move(third);
    EXPECT_FALSE(glIsTexture(otherName));
    EXPECT_TRUE(glIsTexture(name));
  }
  EXPECT_FALSE(glIsTexture(name));
}

TEST(GlHandles, DisplayListsAreAskedForAsARunAndGivenBackTogether) {
  FreshGlPlatform();
  std::uint32_t base = 0;
  {
    TDisplayLists lists(3);
    ASSERT_TRUE(lists);
    base = lists.Base();
    for (int i = 0; i < 3; ++i) {
      glNewList(lists[i], GL_COMPILE);
      glEndList();
      EXPECT_TRUE(glIsList(lists[i]));
    }
    TDisplayLists moved = std::move(lists);
    EXPECT_FALSE(lists);
    EXPECT_EQ(moved.Count(), 3);
    EXPECT_TRUE(glIsList(base + 2));
  }
  for (std::uint32_t i = 0; i < 3; ++i) EXPECT_FALSE(glIsList(base + i));
  EXPECT_FALSE(TDisplayLists(0));
}
