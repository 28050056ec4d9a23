#include "render/record_rules.h"

#include "render/token_value.h"

namespace quiral {

bool arcEndsSwapped(int64_t start, int64_t end) {
  if (end >= start) return end - start >= 1801;
  int64_t d = start - end;
  return d <= 1801 && d != 1800;
}

int64_t normalizedAngle(int64_t angle) {
  return angle < 0 ? angle + 3600 : angle;
}

int textPointSize(int32_t sizeValue) {
  return int(divideRoundHalfEven(sizeValue, 10));
}

bool textTurnsUp(std::string_view angle) {
  return (!angle.empty() && angle[0] == '1') || angle == "900";
}

}  // namespace quiral
