// The panel as the story mode's save screen uses it: any button array, any background.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "frontend/MenuRules.h"
#include "frontend/Upanel.h"
#include "tests/gl/MenuPictureCheck.h"

namespace {

void LookAtFrontFace() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, 1024.0 / 768.0, 0.001, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, 0, 3.5, 0, 0, 0, 0, 1, 0);
}

// One interactive frame with the pointer at (x, y).
int Frame(Tpanel& panel, int x, int y, bool down) {
  GlPlatform().input = TInputState{{}, x, y, down};
  return panel.DrawPanel(false);
}

}  // namespace

TEST(MenuPanel, SharesItsButtonsWithTheCallerAndClearsTheirFlags) {
  FreshGlPlatform();
  TTab_bouton buttons(7);
  for (TBouton& b : buttons) b.pressed = true;
  long holders = buttons.UseCount();
  {
    Tpanel panel(1024, 768, buttons, "img/BckGrnd_save.jpg");
    EXPECT_TRUE(panel.Buttons().SharesWith(buttons));
    EXPECT_EQ(buttons.UseCount(), holders + 1);
    for (const TBouton& b : buttons) EXPECT_FALSE(b.pressed);
    EXPECT_EQ(panel.FaceAngle(), 0.0);  // seven entries: front
    EXPECT_EQ(panel.TiltAngle(), 0.0);
    EXPECT_NE(panel.BackgroundTexture(), 0u);
    // The caller sees the flag the panel sets while the button is held.
    buttons[2] = Button(300, 300, 100, 100);
    Frame(panel, 450, 450, true);
    EXPECT_TRUE(buttons[2].pressed);
  }
  EXPECT_EQ(buttons.UseCount(), holders);
  EXPECT_TRUE(GlPlatform().messages.empty());
  EXPECT_EQ(Tpanel(1024, 768, TTab_bouton(2), "").FaceAngle(), 0.0);
  EXPECT_EQ(Tpanel(1024, 768, TTab_bouton(9), "").FaceAngle(), 0.0);
  EXPECT_EQ(Tpanel(1024, 768, TTab_bouton(5), "").FaceAngle(), 90.0);
  EXPECT_EQ(Tpanel(1024, 768, TTab_bouton(6), "").FaceAngle(), -90.0);
}

TEST(MenuPanel, ClicksNeedPressAndReleaseOnTheButtonAndTheStaticFormReadsNothing) {
  FreshGlPlatform();
  LookAtFrontFace();
  TTab_bouton buttons = {Button(100, 100, 100, 100), Button(400, 300, 100, 100),
                         Button(-1, -1, 0, 0), Button(0, 0, 0, 0)};
  Tpanel panel(1024, 768, buttons, "img/menu_bckgrnd.jpg");
  // Button 1 covers pixels 512..640 x 384..512.
  EXPECT_EQ(Frame(panel, 550, 450, true), -1);
  EXPECT_EQ(Frame(panel, 550, 450, false), 1);
  EXPECT_EQ(Frame(panel, 550, 450, false), -1);  // one click, not one per frame
  // Held on it, dragged off, released off.
  Frame(panel, 550, 450, true);
  EXPECT_EQ(Frame(panel, 900, 700, true), -1);
  EXPECT_EQ(Frame(panel, 900, 700, false), -1);
  EXPECT_EQ(Frame(panel, 550, 450, false), -1);
  // The filler at (0, 0) is under the window's top-left pixel only.
  Frame(panel, 0, 0, true);
  EXPECT_EQ(Frame(panel, 0, 0, false), 3);
  // The static form shows every button at rest and changes nothing.
  Frame(panel, 550, 450, true);
  GlPlatform().input = TInputState{{}, 550, 450, false};
  EXPECT_EQ(panel.DrawPanel(true), -1);
  EXPECT_TRUE(buttons[1].pressed);
  EXPECT_EQ(Frame(panel, 550, 450, false), 1);
}

TEST(MenuPanel, TheMouseIsConvertedWithTheWindowSizeThePanelWasGiven) {
  FreshGlPlatform();
  TTab_bouton buttons = {Button(399, 299, 2, 2), Button(0, 0, 1, 1), Button(0, 0, 1, 1)};
  Tpanel big(2048, 1536, buttons, "");
  Tpanel usual(1024, 768, buttons, "");
  GlPlatform().input = TInputState{{}, 1024, 768, false};
  EXPECT_EQ(big.ButtonState(buttons[0]), kButtonHover);
  EXPECT_EQ(usual.ButtonState(buttons[0]), kButtonOutside);
  GlPlatform().input = TInputState{{}, 512, 384, true};
  EXPECT_EQ(usual.ButtonState(buttons[0]), kButtonHeld);
}

TEST(MenuPanel, AMissingBackgroundIsReportedAndDrawnPlainButTheButtonsStillWork) {
  TScriptedPlatform& p = FreshGlPlatform();
  LookAtFrontFace();
  glDisable(GL_LIGHTING);
  TTab_bouton buttons = {Button(300, 200, 200, 200), Button(0, 0, 0, 0), Button(0, 0, 0, 0),
                         Button(0, 0, 0, 0)};
  Tpanel panel(1024, 768, buttons, "img/nowhere/missing.jpg");
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_NE(p.messages[0].first.find("img/nowhere/missing.jpg"), std::string::npos);
  EXPECT_EQ(panel.BackgroundTexture(), 0u);
  EXPECT_EQ(panel.FaceAngle(), 0.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Frame(panel, 10, 10, false);
  TRgb corner = ReadPixelTopLeft(20, 20);
  TRgb button = ReadPixelTopLeft(512, 384);
  EXPECT_TRUE(Near(corner, {255, 255, 255}, 2));
  EXPECT_TRUE(Near(button, {255, 255, 255}, 2));
  Frame(panel, 512, 384, true);
  EXPECT_EQ(Frame(panel, 512, 384, false), 0);
}
