// The menu's transitions: the camera's turn between faces, the cross-fade and the
// logo-shaped iris, and the face camera they share with the loops.
#include "frontend/Umenu.h"
#include "platform/MenuInput.h"
#include "platform/Window.h"
#include "renderer/MenuDraw.h"

namespace {

// The logo's opaque parts make the iris; its soft outline is cut half way.
constexpr float kIrisAlphaCut = 0.5f;

}  // namespace

// The camera of a face filling this menu's window, at yaw 0 front, 90 right, -90 left.
void TMenu::SetFaceCamera(double yaw, double radius) {
  ::SetFaceCamera(screenWidth_, screenHeight_, yaw, radius);
}

void TMenu::PresentFrame() {
  wnd::SwapBuffers();
  ClearMenuFrame();
}

// The three faces the camera can turn between.
void TMenu::DrawTurnPose(double yaw, double radius) {
  SetFaceCamera(yaw, radius);
  const std::uint32_t faces[] = {lists_.main, lists_.options, lists_.onePlayer};
  CallMenuLists(faces);
}

// Every presented frame moves one degree: the pose already on screen is not shown again,
// and the last pose is left for the caller's loop to present.
void TMenu::TurnTo(int degrees, int newScreen, double startAngle, double radius) {
  int direction = degrees > 0 ? 1 : -1;
  for (int k = direction; k * direction < degrees * direction; k += direction) {
    DrawTurnPose(startAngle + k, radius);
    PresentFrame();
  }
  DrawTurnPose(startAngle + degrees, radius);
  screen_ = newScreen;
}

// Brings a fade's picture from the right face onto the face `from` is drawn on.
void TMenu::PlaceFadeTarget(std::uint32_t from, bool fromIsList) {
  if (!fromIsList) return;
  if (from == lists_.main || from == lists_.twoPlayers) {
    TurnPictureOntoFace(-90.0);
  } else if (from == lists_.options || from == lists_.load ||
             (lists_.controls != 0 && from == lists_.controls)) {
    TurnPictureOntoFace(-180.0);
  }
}

// Blended in, so every fragment must pass the alpha test whatever its alpha.
void TMenu::CrossFade(std::uint32_t from, bool fromIsList, std::uint32_t to, bool toIsList) {
  TStepTimer timer(wnd::GetTickCount(), kFadeStepMs);
  PassEveryAlpha();
  double alpha = 0.0;
  while (alpha <= 1.0) {
    std::uint32_t now = wnd::GetTickCount();
    SetPictureOpacity(1.0);
    DrawMenuPicture(from, fromIsList, 2.009);
    {
      TMenuMatrixScope target;
      if (timer.Due(now)) alpha += kFadeStep;
      SetPictureOpacity(alpha);
      if (!toIsList) PlaceFadeTarget(from, fromIsList);
      DrawMenuPicture(to, toIsList, 2.01);
    }
    PresentFrame();
  }
}

// `from` outside the logo, `to` inside it, both on the right face.
void TMenu::DrawIrisScene(std::uint32_t from, bool fromIsList, std::uint32_t to,
                          bool toIsList) {
  SetFaceCamera(90.0, cameraDistance_);
  {
    TMenuMatrixScope scene;
    BeginIrisScene();
    SetIrisSide(false);
    DrawMenuPicture(from, fromIsList, 2.01);
    SetIrisSide(true);
    DrawMenuPicture(to, toIsList, 2.01);
  }
  EndIrisScene();
}

void TMenu::IrisWipe(std::uint32_t from, bool fromIsList, std::uint32_t stencil,
                     std::uint32_t to, bool toIsList) {
  TStepTimer timer(wnd::GetTickCount(), kIrisStepMs);
  SetMenuAlphaCut(kIrisAlphaCut);
  double size = 1.0;
  // Only an Escape pressed while the iris grows cuts it: not the one that may still be
  // pending from the face.
  wnd::ForgetMenuPresses();
  while (size <= kIrisEnd && !wnd::MenuKeyPressed(wnd::TMenuKey::Back)) {
    if (timer.Due(wnd::GetTickCount())) size = IrisGrow(size);
    MarkIris(screenWidth_, screenHeight_, stencil, size);
    DrawIrisScene(from, fromIsList, to, toIsList);
    wnd::SwapBuffers();
    ClearMenuFrame(true);
  }
  ResetStencilPass();
}
