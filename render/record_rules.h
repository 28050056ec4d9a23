#pragma once

#include <cstdint>
#include <string_view>

namespace quiral {

// Rules of the graphic records that do not touch the canvas, kept apart so they can be checked
// on their own.

// An arc's start and end angles (tenths of a degree, negative ones already raised by 3600):
// whether the file's start and end points trade places so that the arc, drawn counter-clockwise
// on the screen, covers the short way round. A difference of exactly 1800 never swaps.
bool arcEndsSwapped(int64_t start, int64_t end);

// Adds one turn to a negative angle, once.
int64_t normalizedAngle(int64_t angle);

// Points of a polyline whose two tokens both lie within the token table; points past it are not
// drawn.
constexpr int kMaxPolylinePoints = 147;  // point i uses tokens 2i+6 and 2i+7 <= 300

// The point size of a text field: its size in library units over ten, halves to even.
int textPointSize(int32_t sizeValue);

// Whether a T record's text reads upwards: the first character of its angle token is '1', or the
// angle is 900, which is how vertical texts are written.
bool textTurnsUp(std::string_view angle);

}  // namespace quiral
