# velmora_soundgen: the wind loop (WAV) and the music (MP3 through LAME).
set(VELMORA_SOUND_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB VELMORA_SOUND_SOURCES CONFIGURE_DEPENDS ${VELMORA_SOUND_DIR}/*.cpp)
list(FILTER VELMORA_SOUND_SOURCES EXCLUDE REGEX "/main\\.cpp$")

find_library(VELMORA_LAME_LIBRARY mp3lame REQUIRED)
find_path(VELMORA_LAME_INCLUDE lame/lame.h REQUIRED)

add_library(velmora_sound_content STATIC ${VELMORA_SOUND_SOURCES})
target_include_directories(velmora_sound_content PRIVATE ${VELMORA_LAME_INCLUDE})
target_link_libraries(velmora_sound_content PUBLIC velmora_writers ${VELMORA_LAME_LIBRARY})

add_executable(velmora_soundgen ${VELMORA_SOUND_DIR}/main.cpp)
target_link_libraries(velmora_soundgen PRIVATE velmora_sound_content)

set(VELMORA_SOUND_STAMP ${CMAKE_CURRENT_BINARY_DIR}/sound.stamp)
add_custom_command(
  OUTPUT ${VELMORA_SOUND_STAMP}
  COMMAND velmora_soundgen ${VELMORA_RUN_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${VELMORA_SOUND_STAMP}
  DEPENDS velmora_soundgen
  COMMENT "Synthesising the wind and the music into ${VELMORA_RUN_DIR}"
  VERBATIM)
list(APPEND VELMORA_CONTENT_STAMPS ${VELMORA_SOUND_STAMP})

file(GLOB VELMORA_SOUND_TESTS CONFIGURE_DEPENDS ${VELMORA_SOUND_DIR}/tests/*.cpp)
add_executable(soundgen_tests ${VELMORA_SOUND_TESTS})
target_link_libraries(soundgen_tests PRIVATE velmora_sound_content GTest::gtest GTest::gtest_main)
add_test(NAME soundgen_tests COMMAND soundgen_tests)

# Two runs into fresh folders must give the same bytes.
add_test(NAME soundgen_deterministic
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:velmora_soundgen>
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/soundgen_twice
                 -P ${CMAKE_SOURCE_DIR}/tools/world/RunTwice.cmake)
