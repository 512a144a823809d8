# The only folder that calls GL and GLU: textures, lists, projections and every drawing.
list(APPEND VELMORA_GFX_SOURCES
  renderer/GlHandles.cpp
  renderer/Textures.cpp
  renderer/ULoaderObj.cpp
  renderer/TerrainDraw.cpp
  renderer/MeasureDraw.cpp)
