// The network race's notices: a picture in window pixels (y up) over the race's view,
// or a plain red plate when the picture is missing.
#pragma once

#include <cstdint>

void DrawNotice(std::uint32_t texture, double x, double y, double w, double h, int screenWidth,
                int screenHeight);
