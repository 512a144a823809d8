// A terrain of one height for headless races: the flight and ring rules without a
// heightmap file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "assets/Utype.h"

// A square grid of one height, cell 10: world x and z from -size*5 to size*5.
inline t_rain FlatTerrain(int size) {
  t_rain t;
  t.cellSize = 10.0;
  t.maxHeight = 255.0;
  t.samples = std::make_shared<const t_tab_pixel>(
      static_cast<std::size_t>(size), std::vector<std::uint8_t>(static_cast<std::size_t>(size), 0));
  return t;
}
