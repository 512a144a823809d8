#include "fuzz/SeedMaker.h"
#include "saves/Ghost.h"

namespace {

// A short climbing turn, a ghost of one frame and one of none.
TSeedMaker maker("ghost", [](const std::string& dir) {
  TGhost turn;
  turn.courseHash = 0x0123456789abcdefULL;
  for (int i = 0; i < 8; ++i) turn.frames.push_back({float(i), 200.0f + i, -3.0f * i, 0, 350.0f + 5 * i, 2});
  WriteSeed(dir, "turn.ghost", EncodeGhost(turn));
  TGhost one;
  one.frames.push_back({});
  WriteSeed(dir, "one.ghost", EncodeGhost(one));
  WriteSeed(dir, "none.ghost", EncodeGhost(TGhost{}));
});

}  // namespace
