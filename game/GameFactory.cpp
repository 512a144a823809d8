#include "game/GameFactory.h"

#include <GL/gl.h>

#include <stdexcept>

#include "frontend/Umenu.h"
#include "game/Window.h"

std::unique_ptr<IMenu> TGameFactory::CreateMenu(int width, int height) {
  return std::make_unique<TMenu>(width, height);
}

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
