# velmora_pictures: every 2-D picture and texture of the game, drawn with cairo.
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)

set(VELMORA_PICTURES_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB VELMORA_PICTURES_SOURCES CONFIGURE_DEPENDS ${VELMORA_PICTURES_DIR}/*.cpp)
list(FILTER VELMORA_PICTURES_SOURCES EXCLUDE REGEX "/(main|.*Test)\\.cpp$")

add_library(velmora_pictures_art STATIC ${VELMORA_PICTURES_SOURCES})
target_link_libraries(velmora_pictures_art PUBLIC velmora_writers PkgConfig::CAIRO JPEG::JPEG)

add_executable(velmora_pictures ${VELMORA_PICTURES_DIR}/main.cpp)
target_link_libraries(velmora_pictures PRIVATE velmora_pictures_art)

velmora_add_generator(velmora_pictures pictures_deterministic "Drawing the game's pictures")

# Proof: the generator's pictures, read back through the game's own decoders.
file(GLOB VELMORA_PICTURES_TESTS CONFIGURE_DEPENDS ${VELMORA_PICTURES_DIR}/*Test.cpp)
add_executable(velmora_pictures_tests ${VELMORA_PICTURES_TESTS})
target_link_libraries(velmora_pictures_tests PRIVATE velmora_pictures_art GTest::gtest GTest::gtest_main)
add_test(NAME pictures_tests COMMAND velmora_pictures_tests)
