list(APPEND VELMORA_CORE_SOURCES
  sound/USound.cpp)
list(APPEND VELMORA_GFX_SOURCES
  sound/MixerBackend.cpp)
