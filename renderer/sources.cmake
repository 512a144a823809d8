# The only folder that calls GL and GLU: textures, lists, projections and every drawing.
list(APPEND VELMORA_GFX_SOURCES
  renderer/BackdropDraw.cpp
  renderer/EndSequenceDraw.cpp
  renderer/Fade.cpp
  renderer/FilmDraw.cpp
  renderer/FrameCapture.cpp
  renderer/GlHandles.cpp
  renderer/GlState.cpp
  renderer/HudDraw.cpp
  renderer/MeasureDraw.cpp
  renderer/MenuDraw.cpp
  renderer/NetNoticeDraw.cpp
  renderer/OpaqueDrawScope.cpp
  renderer/OverlayDraw.cpp
  renderer/PanelDraw.cpp
  renderer/PlayerView.cpp
  renderer/RaceViewDraw.cpp
  renderer/RingDraw.cpp
  renderer/ScreenFrameDraw.cpp
  renderer/StoryScreenDraw.cpp
  renderer/TerrainDraw.cpp
  renderer/Textures.cpp
  renderer/TitleCardDraw.cpp
  renderer/ULoaderObj.cpp
  renderer/GhostDraw.cpp
  renderer/RecordsDraw.cpp
)
