list(APPEND VELMORA_CORE_SOURCES
  modes/RaceRules.cpp
  modes/NetRaceCore.cpp
  modes/PadSeats.cpp
  modes/RaceCore.cpp
  modes/TrackFile.cpp
  modes/RaceRecords.cpp)
list(APPEND VELMORA_GFX_SOURCES
  modes/Uworld.cpp
  modes/Uworld_RaceEnd.cpp
  modes/Uworld_TimeAttack.cpp
  modes/Uworld_TwoPlayers.cpp
  modes/Uworld_Screenplay.cpp
  modes/RaceScene.cpp)
