list(APPEND VELMORA_CORE_SOURCES
  saves/SlotWriter.cpp
  saves/USave.cpp)
list(APPEND VELMORA_GFX_SOURCES)
