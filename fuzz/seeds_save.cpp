#include "fuzz/SeedMaker.h"

namespace {

// A written slot, the autosave with LF lines, a cleared slot and a slot cut short.
TSeedMaker maker("save", [](const std::string& dir) {
  WriteSeed(dir, "slot1.sav", std::string("valide\r\nAna\r\n1200\r\n2\r\nLe 07/12/2026, a 14:09\r\n"));
  WriteSeed(dir, "slot0-lf.sav", std::string("valide\nautosave\n-5\n0\nLe 01/01/2027, a 00:00\n"));
  WriteSeed(dir, "cleared.sav", std::string("invalide\r\n"));
  WriteSeed(dir, "short.sav", std::string("valide\r\nBo\r\n+30\r\n"));
});

}  // namespace
