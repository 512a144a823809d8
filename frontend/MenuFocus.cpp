#include "frontend/MenuFocus.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool Focusable(const TBouton& button) {
  return !button.caption && button.width > 0.0 && button.height > 0.0;
}

int FirstFocusable(const TTab_bouton& buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (Focusable(buttons[i])) return static_cast<int>(i);
  }
  return -1;
}

namespace {

struct TCentre {
  double x, y;
};

TCentre CentreOf(const TBouton& b) { return {b.x + b.width / 2.0, b.y + b.height / 2.0}; }

// How far `to` lies in the move's direction from `from` (negative: not that way) and how
// far off to the side.
void Along(TCentre from, TCentre to, TFocusMove move, double& ahead, double& aside) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  switch (move) {
    case TFocusMove::Up: ahead = -dy; aside = dx; break;
    case TFocusMove::Down: ahead = dy; aside = dx; break;
    case TFocusMove::Left: ahead = -dx; aside = dy; break;
    case TFocusMove::Right: ahead = dx; aside = dy; break;
  }
  aside = std::fabs(aside);
}

}  // namespace

int MoveFocus(const TTab_bouton& buttons, int from, TFocusMove move) {
  const int count = static_cast<int>(buttons.size());
  if (from < 0 || from >= count || !Focusable(buttons[static_cast<std::size_t>(from)])) {
    return FirstFocusable(buttons);
  }
  const TCentre origin = CentreOf(buttons[static_cast<std::size_t>(from)]);
  int best = from;
  double bestCost = std::numeric_limits<double>::max();
  for (int i = 0; i < count; ++i) {
    const TBouton& b = buttons[static_cast<std::size_t>(i)];
    if (i == from || !Focusable(b)) continue;
    double ahead = 0.0, aside = 0.0;
    Along(origin, CentreOf(b), move, ahead, aside);
    // Within a wide cone only: a button almost level with the focused one is not "above".
    if (ahead < 1.0 || aside > 2.0 * ahead) continue;
    // Off to the side counts double: a column or a row is followed before a diagonal.
    const double cost = ahead + 2.0 * aside;
    if (cost < bestCost) {
      bestCost = cost;
      best = i;
    }
  }
  return best;
}

int DialLevelDown(int level) {
  const int notch = (std::clamp(level, 0, 256) + 7) / 8;
  return std::max(notch - 1, 0) * 8;
}

int DialLevelUp(int level) {
  const int notch = std::clamp(level, 0, 256) / 8;
  return std::min(notch + 1, 32) * 8;
}

int THeldRepeat::Steps(int direction, std::uint32_t now) {
  if (direction != direction_ || direction == 0) {
    direction_ = direction;
    since_ = now;
    done_ = 0;
    return 0;
  }
  const std::uint32_t held = now - since_;
  const int due = held < kDelayMs ? 0 : 1 + static_cast<int>((held - kDelayMs) / kEveryMs);
  const int steps = due - done_;
  done_ = due;
  return steps;
}
