// Heights from a 24-bit bitmap: the first (blue) byte of each pixel is a sample. The grid
// is thinned by the terrain's accuracy and kept in the terrain record. No display needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/Image.h"
#include "assets/Utype.h"

inline constexpr double kDefaultAccuracy = 0.5;
inline constexpr double kDefaultCellSize = 10.0;
inline constexpr const char* kDefaultGroundTexture = "textures/herbe.jpg";
inline constexpr const char* kDefaultTerrainTexture = "textures/papier sepia.jpg";
inline constexpr const char* kDefaultSkyTexture = "textures/texture_sky.jpg";
inline constexpr const char* kAccuracyMessage = "error : accurcy is invalid!";
// The picture decoders' own limit: a bitmap of more pixels is refused before any of its
// samples is kept.
inline constexpr long long kMaxHeightmapPixels = kMaxImagePixels;
// Samples a terrain may keep after thinning: 1024 x 1024. Every cell becomes two
// triangles in the display lists and is walked by the physics; the shipped maps keep at
// most 256 x 256.
inline constexpr long long kMaxTerrainSamples = 1024LL * 1024;

// World height of a sample of 255 when the caller gives none: 110 for the defaults.
double DefaultMaxHeight(double cellSize, double accuracy);
// Accuracy keeps a fraction of the rows and columns: (0, 1].
bool IsValidAccuracy(double accuracy);

// The terrain record's values before any file is read: paths, sizes and material; no
// samples, no texture names.
t_rain TerrainValues(const std::string& heightmapPath, double accuracy, double cellSize,
                     double maxHeight, const std::string& groundPath, const std::string& terrainPath,
                     const std::string& skyPath, const T_material& material);

// Reads the samples out of the bitmap's bytes. Row 0 is the bottom row of the picture
// (the first stored in the usual bottom-up file; a top-down file is turned over to
// match). Row padding comes from the declared file size, or from the usual 4-byte
// alignment when the declared size is too small to hold the pixels. A bitmap of another
// depth gives no samples and the console line in `consoleLine`. A file too short for its
// header or its pixels, or of more than kMaxHeightmapPixels pixels, throws
// std::runtime_error naming `fileName`.
t_tab_pixel ParseHeightmap(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                           std::string& consoleLine);

// Keeps, of every `period` rows and columns, the first `keep`, as the accuracy says.
t_tab_pixel ThinGrid(const t_tab_pixel& grid, double accuracy);
// How many of `count` rows (or columns) thinning keeps.
std::size_t KeptCount(std::size_t count, double accuracy);
// Throws std::runtime_error naming the file when a grid of rows x cols keeps more than
// kMaxTerrainSamples after thinning.
void CheckTerrainSize(std::size_t rows, std::size_t cols, double accuracy, const std::string& fileName);

// Reads the heightmap file named by the record and fills its samples, thinned by its
// accuracy. An accuracy out of range or a bitmap that is not 24-bit leaves the grid empty
// and writes its console line on standard output. A missing, short or oversized file
// throws std::runtime_error naming the file.
void LoadTerrainSamples(t_rain& terrain);
