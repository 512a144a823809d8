list(APPEND VELMORA_CORE_SOURCES
  platform/Window.cpp
  platform/SystemServices.cpp
  platform/ScriptedPlatform.cpp
  platform/Paths.cpp
  platform/UserFolders.cpp
  platform/KeyNames.cpp
  platform/PlayerFiles.cpp
  platform/Gamepads.cpp
  platform/MenuInput.cpp)
list(APPEND VELMORA_GFX_SOURCES
  platform/GlfwPlatform.cpp
  platform/ScriptedGlPlatform.cpp
  platform/SdlGamepads.cpp)
