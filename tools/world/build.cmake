# velmora_worldgen: heightmaps, courses and meshes, written into the run folder.
set(VELMORA_WORLD_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB VELMORA_WORLD_SOURCES CONFIGURE_DEPENDS ${VELMORA_WORLD_DIR}/*.cpp)
list(FILTER VELMORA_WORLD_SOURCES EXCLUDE REGEX "/main\\.cpp$")

add_library(velmora_world_content STATIC ${VELMORA_WORLD_SOURCES})
target_link_libraries(velmora_world_content PUBLIC velmora_writers)

add_executable(velmora_worldgen ${VELMORA_WORLD_DIR}/main.cpp)
target_link_libraries(velmora_worldgen PRIVATE velmora_world_content)

velmora_add_generator(velmora_worldgen worldgen_deterministic "Generating heightmaps, courses and meshes")

file(GLOB VELMORA_WORLD_TESTS CONFIGURE_DEPENDS ${VELMORA_WORLD_DIR}/tests/*.cpp)
add_executable(worldgen_tests ${VELMORA_WORLD_TESTS})
target_link_libraries(worldgen_tests PRIVATE velmora_world_content GTest::gtest GTest::gtest_main)
add_test(NAME worldgen_tests COMMAND worldgen_tests)

