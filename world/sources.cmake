list(APPEND VELMORA_CORE_SOURCES
  world/Physics.cpp
  world/Course.cpp
  world/CourseGen.cpp
  world/Autopilot.cpp
  world/Heightmap.cpp
  world/TerrainMesh.cpp
  world/HudLayout.cpp
  world/ScreenFrame.cpp
  world/CraftView.cpp
  world/Controls.cpp)
list(APPEND VELMORA_GFX_SOURCES
  world/Umap.cpp
  world/Utrack.cpp
  world/UphysicEngine3.cpp
  world/Uinterface.cpp)
