list(APPEND VELMORA_CORE_SOURCES
  game/ModeLoop.cpp
  game/StartUp.cpp)
list(APPEND VELMORA_GFX_SOURCES
  game/Ugame.cpp
  game/GameFactory.cpp)
