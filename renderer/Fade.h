// Fades: a picture or a veil of white drawn at a strength from 0 to 1.
#pragma once

#include <cstdint>

// The alpha test lets every fragment through, so a faint picture shows as faintly as it
// is drawn instead of not at all.
void LetFaintFragmentsThrough();
// Untextured white over the rectangle at `alpha`.
void DrawWhiteVeil(double x0, double y0, double x1, double y1, double alpha);
// A compiled picture drawn at `alpha` of its strength.
void CallListFaded(std::uint32_t list, double alpha);
