list(APPEND VELMORA_CORE_SOURCES
  modes/RaceRules.cpp
  modes/TrackFile.cpp)
list(APPEND VELMORA_GFX_SOURCES)
