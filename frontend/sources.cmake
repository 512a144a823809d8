list(APPEND VELMORA_CORE_SOURCES
  frontend/MenuTables.cpp
  frontend/MenuRules.cpp
  frontend/MenuFocus.cpp
  frontend/TrackList.cpp)
list(APPEND VELMORA_GFX_SOURCES
  frontend/MenuTextures.cpp
  frontend/ScreenMouse.cpp
  frontend/Upanel.cpp
  frontend/Umenu.cpp
  frontend/UmenuLoops.cpp
  frontend/UmenuTransitions.cpp
  frontend/UGameOptions.cpp
  frontend/TrackRecordLine.cpp
  frontend/KeyFocus.cpp
  frontend/ControlsScreen.cpp)
