# Small writers for the file formats the game reads, shared by the content generator,
# the tests' fixtures and the fuzzers' seeds.
list(APPEND VELMORA_WRITER_SOURCES
  tools/writers/ByteWriter.cpp
  tools/writers/ImageWriters.cpp
  tools/writers/JpegWriter.cpp
  tools/writers/MeshWriter.cpp
  tools/writers/WavWriter.cpp)
