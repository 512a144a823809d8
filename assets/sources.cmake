list(APPEND VELMORA_CORE_SOURCES
  assets/Lstr.cpp
  assets/Lgeometry.cpp
  assets/Lnb.cpp
  assets/Image.cpp
  assets/ImageJpeg.cpp
  assets/ObjModel.cpp)
