list(APPEND VELMORA_CORE_SOURCES
  saves/SlotWriter.cpp
  saves/USave.cpp
  saves/Settings.cpp
  saves/BestTimes.cpp
  saves/Ghost.cpp
  saves/SettingsStore.cpp)
list(APPEND VELMORA_GFX_SOURCES)
