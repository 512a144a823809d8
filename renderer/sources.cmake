# The only folder that calls GL and GLU: textures, lists, projections and every drawing.
list(APPEND VELMORA_GFX_SOURCES
  renderer/GlHandles.cpp
  renderer/Textures.cpp
  renderer/ULoaderObj.cpp
  renderer/FrameCapture.cpp
  renderer/TitleCardDraw.cpp
  renderer/BackdropDraw.cpp
  renderer/FilmDraw.cpp
  renderer/EndSequenceDraw.cpp
  renderer/Fade.cpp)
