#include "game/GameFactory.h"

#include <GL/gl.h>

#include <stdexcept>

#include "game/Window.h"

namespace {

// Stands in for the menu until the front end lands: a dark screen, Escape quits.
class TPlainMenu : public IMenu {
 public:
  void RunMenu(std::string& result) override {
    while (wnd::GetKey(wnd::KEY_ESC) != wnd::PRESS) {
      glClearColor(0.0f, 0.0f, 0.3f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      wnd::SwapBuffers();
    }
    result = "exit";
  }
  const T_Tab_TrackFile& TrackFiles() const override { return tracks_; }
  int TrackIndex() const override { return 0; }
  int MusicVolume() const override { return 255; }
  int EffectsVolume() const override { return 255; }

 private:
  T_Tab_TrackFile tracks_;
};

}  // namespace

std::unique_ptr<IMenu> TGameFactory::CreateMenu(int, int) { return std::make_unique<TPlainMenu>(); }

std::unique_ptr<IMode> TGameFactory::CreateTimeAttackDefault(int, int, int) {
  throw std::runtime_error("The time-attack race is not available yet.");
}

std::unique_ptr<IMode> TGameFactory::CreateTimeAttackFromTrack(const T_TrackFile&, int, int, int,
                                                               int) {
  throw std::runtime_error("The time-attack race is not available yet.");
}

std::unique_ptr<IMode> TGameFactory::CreateTwoPlayers(int, int, const T_Tab_TrackFile&, int, bool,
                                                      bool) {
  throw std::runtime_error("The two-player race is not available yet.");
}

std::unique_ptr<IMode> TGameFactory::CreateScreenplay(int, int, int, int) {
  throw std::runtime_error("The story mode is not available yet.");
}
