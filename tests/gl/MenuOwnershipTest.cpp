// The front end's pictures belong to whoever loaded them: a panel gives back the background
// it loaded itself and leaves alone one its caller handed in.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "frontend/Upanel.h"
#include "renderer/GlHandles.h"
#include "renderer/Textures.h"
#include "tests/gl/GlTestSupport.h"

TEST(MenuOwnership, APanelGivesBackOnlyTheBackgroundItLoadedItself) {
  FreshGlPlatform();
  std::uint32_t loaded = 0;
  {
    Tpanel panel(1024, 768, TTab_bouton(4), "img/menu_bckgrnd.jpg");
    loaded = panel.BackgroundTexture();
    ASSERT_NE(loaded, 0u);
    EXPECT_TRUE(glIsTexture(loaded));
  }
  EXPECT_FALSE(glIsTexture(loaded));

  std::uint32_t handed = 0;
  ASSERT_TRUE(LoadTexture("img/menu_bckgrnd.jpg", handed));
  TTexture callers(handed);
  { Tpanel panel(1024, 768, TTab_bouton(4), "img/menu_bckgrnd.jpg", handed); }
  EXPECT_TRUE(glIsTexture(handed));
}
