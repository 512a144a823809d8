// Benchmarks that draw share one unpaced window (1024 x 768 unless VELMORA_BENCH_SIZE
// says otherwise), opened by the main when a display is there.
#pragma once

#include <string>

// True when a GL context is current (a display was found).
bool BenchHasGl();
// The folder with the generated content (build/run), for benchmarks that load it.
std::string BenchRunDir();
// The window's size in pixels, as the window system gave it.
int BenchWidth();
int BenchHeight();
