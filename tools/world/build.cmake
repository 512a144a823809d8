# velmora_worldgen: heightmaps, courses and meshes, written into the run folder.
set(VELMORA_WORLD_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB VELMORA_WORLD_SOURCES CONFIGURE_DEPENDS ${VELMORA_WORLD_DIR}/*.cpp)
list(FILTER VELMORA_WORLD_SOURCES EXCLUDE REGEX "/main\\.cpp$")

add_library(velmora_world_content STATIC ${VELMORA_WORLD_SOURCES})
target_link_libraries(velmora_world_content PUBLIC velmora_writers)

add_executable(velmora_worldgen ${VELMORA_WORLD_DIR}/main.cpp)
target_link_libraries(velmora_worldgen PRIVATE velmora_world_content)

set(VELMORA_WORLD_STAMP ${CMAKE_CURRENT_BINARY_DIR}/world.stamp)
add_custom_command(
  OUTPUT ${VELMORA_WORLD_STAMP}
  COMMAND velmora_worldgen ${VELMORA_RUN_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${VELMORA_WORLD_STAMP}
  DEPENDS velmora_worldgen
  COMMENT "Generating heightmaps, courses and meshes into ${VELMORA_RUN_DIR}"
  VERBATIM)
list(APPEND VELMORA_CONTENT_STAMPS ${VELMORA_WORLD_STAMP})

file(GLOB VELMORA_WORLD_TESTS CONFIGURE_DEPENDS ${VELMORA_WORLD_DIR}/tests/*.cpp)
add_executable(worldgen_tests ${VELMORA_WORLD_TESTS})
target_link_libraries(worldgen_tests PRIVATE velmora_world_content GTest::gtest GTest::gtest_main)
add_test(NAME worldgen_tests COMMAND worldgen_tests)

# Two runs into fresh folders must give the same bytes.
add_test(NAME worldgen_deterministic
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:velmora_worldgen>
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/worldgen_twice
                 -P ${VELMORA_WORLD_DIR}/RunTwice.cmake)
