list(APPEND VELMORA_CORE_SOURCES
  game/Window.cpp
  game/SystemServices.cpp
  game/ScriptedPlatform.cpp
  game/Paths.cpp
  game/ModeLoop.cpp)
list(APPEND VELMORA_GFX_SOURCES
  game/GlfwPlatform.cpp
  game/ScriptedGlPlatform.cpp
  game/Ugame.cpp
  game/GameFactory.cpp)
