// Benchmarks that draw share one unpaced 1024 x 768 window, opened by the main when a
// display is there.
#pragma once

#include <string>

// True when a GL context is current (a display was found).
bool BenchHasGl();
// The folder with the generated content (build/run), for benchmarks that load it.
std::string BenchRunDir();
