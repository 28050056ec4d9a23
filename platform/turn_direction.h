#pragma once

#include <cmath>

namespace quiral {

// Cosine and sine of a counter-clockwise turn of `tenths` tenths of a degree: exact, and without
// the trigonometry, for the quarter turns that texts nearly always take.
struct TurnDirection {
  double cos = 1;
  double sin = 0;
};

inline TurnDirection turnDirection(int tenths) {
  switch (((tenths % 3600) + 3600) % 3600) {
    case 0:
      return {1, 0};
    case 900:
      return {0, 1};
    case 1800:
      return {-1, 0};
    case 2700:
      return {0, -1};
    default: {
      const double a = tenths * 3.14159265358979323846 / 1800;
      return {std::cos(a), std::sin(a)};
    }
  }
}

}  // namespace quiral
