#pragma once

#include <initializer_list>
#include <string>

namespace quiral {

// SVG path data in few characters: whole units, a minus sign doubling as the separator, each
// segment written absolute or relative (and horizontal or vertical where it is), whichever is
// shorter, and a command repeated without its letter where that is shorter still. Coordinates
// are in SVG's space (y down).
class CompactPath {
 public:
  explicit CompactPath(std::string& out) : out_(out) {}

  void moveTo(double x, double y);
  void lineTo(double x, double y);
  // An elliptical arc without rotation, sweep-flag 0.
  void arcTo(double rx, double ry, bool large, double x, double y);
  void dot();  // a zero-length segment, so that a lone point still shows
  void close();

 private:
  // Writes the shorter of the absolute and the relative command.
  void either(char absolute, std::initializer_list<long> absoluteNumbers, char relative,
              std::initializer_list<long> relativeNumbers);
  std::string command(char letter, std::initializer_list<long> numbers) const;

  std::string& out_;
  long x_ = 0, y_ = 0;            // the current point
  long startX_ = 0, startY_ = 0;  // where the open subpath began
  char last_ = 0;                 // the last command written
};

}  // namespace quiral
