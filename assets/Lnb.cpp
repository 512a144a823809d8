#include "assets/Lnb.h"

#include <cmath>

int Gcd(int a, int b) {
  if (b == 0) return a;  // no divisor to take: the other number stands
  int r = a % b;
  while (r != 0) {
    a = b;
    b = r;
    r = a % b;
  }
  return b;
}

void AccuracyToFraction(double accuracy, int& keep, int& period) {
  // Rounded to two decimals, then scaled: 0.58 becomes 57.99999999999999 here, as the
  // tracks written so far were thinned with.
  double x = std::round(accuracy * 100.0) / 100.0 * 100.0;
  if (!std::isfinite(x) || x < 0.0) x = 0.0;
  if (x > 100.0) x = 100.0;
  if (static_cast<long>(std::floor(x)) % 2 != 0) x = x - 1.0;
  keep = static_cast<int>(std::floor(x));
  period = 100;
  int g = Gcd(keep, 100);
  keep /= g;
  period /= g;
  if (keep == 0) {
    keep = 1;
    period = 100;
  }
}

std::string ToBinaryText(int n) {
  if (n < 0) n = 0;
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + n % 2));
    n /= 2;
  } while (n != 0);
  return text;
}
