#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "game/Ugame.h"
#include "platform/GlfwPlatform.h"
#include "tests/gl/GlTestSupport.h"

namespace {

void ExpectVector(GLenum light, GLenum what, std::array<float, 4> expected) {
  GLfloat v[4] = {0, 0, 0, 0};
  glGetLightfv(light, what, v);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(v[i], expected[i], 1e-4) << "light value " << i;
}

void ExpectStartupState() {
  GLint bits = 0;
  glGetIntegerv(GL_STENCIL_BITS, &bits);
  EXPECT_EQ(bits, 8);
  glGetIntegerv(GL_DEPTH_BITS, &bits);
  EXPECT_GE(bits, 16);
  for (GLenum cap : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_BLEND,
                     GL_LINE_SMOOTH, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_NORMALIZE,
                     GL_COLOR_MATERIAL}) {
    EXPECT_TRUE(glIsEnabled(cap)) << "capability 0x" << std::hex << cap;
  }
  GLint value = 0;
  GLfloat ref = 0;
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &value);
  EXPECT_EQ(value, GL_GEQUAL);
  glGetFloatv(GL_ALPHA_TEST_REF, &ref);
  EXPECT_NEAR(ref, 0.75f, 1e-3);
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
  glGetIntegerv(GL_STENCIL_CLEAR_VALUE, &value);
  EXPECT_EQ(value, 0);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[3], 1.0f);
  EXPECT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
  ExpectVector(GL_LIGHT0, GL_POSITION, {1, 1, 1, 0});
  ExpectVector(GL_LIGHT1, GL_POSITION, {0, 150, 0, 1});
  for (GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
    ExpectVector(light, GL_DIFFUSE, {0.7f, 0.7f, 0.7f, 1});
    ExpectVector(light, GL_AMBIENT, {0.3f, 0.3f, 0.3f, 1});
  }
}

bool HaveXdotool() { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }

}  // namespace

// The real GLFW layer: the full-screen window, its start-up state, and input sent from
// outside the process.
TEST(RealWindow, OpensWithTheStartupStateAndSeesKeysAndClicksFromXdotool) {
  GlPlatform().CloseWindow();
  {
    TGlfwPlatform real;
    real.SetPaced(false);
    real.SetQuietMessages(true);
    wnd::TPlatformGuard guard(real);
    Tgame game(1024, 768, true);
    ASSERT_TRUE(game.Window().opened);
    EXPECT_EQ(game.screenWidth, game.Window().width);
    EXPECT_EQ(game.screenHeight, game.Window().height);
    // The window layer calls no GL: the shell reads the buffers' bits from the renderer.
    EXPECT_EQ(game.Window().stencilBits, 8);
    EXPECT_GE(game.Window().depthBits, 16);
    ExpectStartupState();

    if (!HaveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    real.SetWindowTitle("Velmora input test");
    for (int i = 0; i < 5; ++i) wnd::SwapBuffers();
    // Taps shorter than a frame: no level shows them, the presses keep them until read.
    int rc = std::system(
        "xdotool search --sync --name 'Velmora input test' windowfocus --sync && "
        "xdotool mousemove 300 200 && xdotool key space && xdotool key w && "
        "xdotool mousedown 1 && xdotool mouseup 1");
    ASSERT_EQ(rc, 0);
    bool space = false, w = false, click = false;
    int x = -1, y = -1;
    for (int frame = 0; frame < 120 && !(space && w && click); ++frame) {
      wnd::SwapBuffers();
      space = space || wnd::KeyPressed(wnd::KEY_SPACE);
      w = w || wnd::KeyPressed('W');
      click = click || wnd::MouseButtonPressed(wnd::MOUSE_BUTTON_LEFT);
      wnd::GetMousePos(x, y);
    }
    EXPECT_TRUE(space);
    EXPECT_TRUE(w);
    EXPECT_TRUE(click);
    // Seen once, and never as a level: no later read finds them pending.
    wnd::SwapBuffers();
    EXPECT_FALSE(wnd::KeyPressed(wnd::KEY_SPACE));
    EXPECT_FALSE(wnd::MouseButtonPressed(wnd::MOUSE_BUTTON_LEFT));
    EXPECT_EQ(wnd::GetKey(wnd::KEY_SPACE), wnd::RELEASE);
    EXPECT_EQ(wnd::GetMouseButton(wnd::MOUSE_BUTTON_LEFT), wnd::RELEASE);
    EXPECT_EQ(x, 300 * game.screenWidth / 1024);
    EXPECT_EQ(y, 200 * game.screenHeight / 768);
  }
  EnsureGlWindow();
}

// Motion is counted per frame, so the game must not run faster than 60 frames a second
// on any display; benchmarks turn the pacing off.
TEST(RealWindow, SwapsArePacedToSixtyFramesASecond) {
  GlPlatform().CloseWindow();
  {
    TGlfwPlatform real;
    real.SetQuietMessages(true);
    wnd::TPlatformGuard guard(real);
    ASSERT_TRUE(real.OpenWindow(320, 240, 24, 8, false).opened);
    wnd::SwapBuffers();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 30; ++i) wnd::SwapBuffers();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(480));
    real.CloseWindow();
  }
  EnsureGlWindow();
}

TEST(RealWindow, KeyCodesOfTheOldInterfaceMapToGlfw3) {
  EXPECT_EQ(MapKeyToGlfw3(wnd::KEY_ESC), 256);
  EXPECT_EQ(MapKeyToGlfw3(wnd::KEY_UP), 265);
  EXPECT_EQ(MapKeyToGlfw3(wnd::KEY_DOWN), 264);
  EXPECT_EQ(MapKeyToGlfw3(wnd::KEY_LEFT), 263);
  EXPECT_EQ(MapKeyToGlfw3(wnd::KEY_RIGHT), 262);
  EXPECT_EQ(MapKeyToGlfw3(wnd::KEY_SPACE), 32);
  EXPECT_EQ(MapKeyToGlfw3('F'), 70);
}

TEST(ScriptedWindow, StartupStateAfterTheShellOpensTheWindow) {
  GlPlatform().CloseWindow();
  {
    Tgame game(1024, 768, true);
    ASSERT_TRUE(game.Window().opened);
    EXPECT_EQ(game.screenWidth, 1024);
    ExpectStartupState();
  }
  EnsureGlWindow();
}
