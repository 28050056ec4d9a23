#include "vector/compact_path.h"

#include <cmath>

namespace quiral {

namespace {

long whole(double v) {
  return std::isfinite(v) ? std::lround(v) : 0;
}

}  // namespace

std::string CompactPath::command(char letter, std::initializer_list<long> numbers) const {
  // The letter of a repeated command may go (not M's: its repeats are lines), leaving a separator
  // before the first number when that has no minus sign.
  const bool repeat = letter == last_ && letter != 'M' && letter != 'm';
  std::string text = repeat ? "" : std::string(1, letter);
  bool first = true;
  for (long n : numbers) {
    if (n >= 0 && !(first && !repeat)) text += ' ';
    text += std::to_string(n);
    first = false;
  }
  return text;
}

void CompactPath::either(char absolute, std::initializer_list<long> absoluteNumbers, char relative,
                         std::initializer_list<long> relativeNumbers) {
  const std::string a = command(absolute, absoluteNumbers);
  const std::string r = command(relative, relativeNumbers);
  const bool useRelative = r.size() < a.size();
  out_ += useRelative ? r : a;
  last_ = useRelative ? relative : absolute;
}

void CompactPath::moveTo(double x, double y) {
  const long nx = whole(x), ny = whole(y);
  either('M', {nx, ny}, 'm', {nx - x_, ny - y_});
  x_ = startX_ = nx;
  y_ = startY_ = ny;
}

void CompactPath::lineTo(double x, double y) {
  const long nx = whole(x), ny = whole(y);
  if (ny == y_ && nx != x_)
    either('H', {nx}, 'h', {nx - x_});
  else if (nx == x_ && ny != y_)
    either('V', {ny}, 'v', {ny - y_});
  else
    either('L', {nx, ny}, 'l', {nx - x_, ny - y_});
  x_ = nx;
  y_ = ny;
}

void CompactPath::arcTo(double rx, double ry, bool large, double x, double y) {
  const long nx = whole(x), ny = whole(y), r1 = whole(rx), r2 = whole(ry);
  either('A', {r1, r2, 0, large, 0, nx, ny}, 'a', {r1, r2, 0, large, 0, nx - x_, ny - y_});
  x_ = nx;
  y_ = ny;
}

void CompactPath::dot() {
  out_ += command('h', {0});
  last_ = 'h';
}

void CompactPath::close() {
  out_ += 'Z';
  last_ = 'Z';
  x_ = startX_;
  y_ = startY_;
}

}  // namespace quiral
