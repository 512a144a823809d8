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

velmora_add_generator(velmora_soundgen soundgen_deterministic "Synthesising the wind and the music")

file(GLOB VELMORA_SOUND_TESTS CONFIGURE_DEPENDS ${VELMORA_SOUND_DIR}/tests/*.cpp)
add_executable(soundgen_tests ${VELMORA_SOUND_TESTS})
target_link_libraries(soundgen_tests PRIVATE velmora_sound_content GTest::gtest GTest::gtest_main)
add_test(NAME soundgen_tests COMMAND soundgen_tests)

