#include "game/GameFactory.h"

#include "frontend/Umenu.h"
#include "modes/Uworld_Screenplay.h"
#include "modes/Uworld_TimeAttack.h"
#include "modes/Uworld_TwoPlayers.h"

std::unique_ptr<IMenu> TGameFactory::CreateMenu(int width, int height) {
  return std::make_unique<TMenu>(width, height);
}

std::unique_ptr<IMode> TGameFactory::CreateTimeAttackDefault(int width, int height,
                                                             int musicVolume) {
  return TTimeAttack::CreateDefault(width, height, musicVolume);
}

std::unique_ptr<IMode> TGameFactory::CreateTimeAttackFromTrack(const T_TrackFile& track, int width,
                                                               int height, int musicVolume,
                                                               int baseScore) {
  return TTimeAttack::CreateFromTrack(track, width, height, musicVolume, baseScore);
}

std::unique_ptr<IMode> TGameFactory::CreateTwoPlayers(int width, int height,
                                                      const T_Tab_TrackFile& tracks,
                                                      int musicVolume, bool local, bool hosting) {
  return std::make_unique<TTwoPlayers>(width, height, tracks, musicVolume, local, hosting,
                                       options_.joinAddress);
}

std::unique_ptr<IMode> TGameFactory::CreateScreenplay(int width, int height, int musicVolume,
                                                      int slot) {
  return std::make_unique<TScreenplay>(width, height, musicVolume, slot);
}
