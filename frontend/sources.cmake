list(APPEND VELMORA_CORE_SOURCES
  frontend/MenuTables.cpp
  frontend/MenuRules.cpp
  frontend/TrackList.cpp)
list(APPEND VELMORA_GFX_SOURCES)
