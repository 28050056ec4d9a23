#pragma once

#include <string>
#include <string_view>

namespace quiral {

// Which unit and body style of a symbol is drawn. Unit 1 is unit A; body style 1 is the normal
// body, 2 the De Morgan one.
struct UnitChoice {
  int unit = 1;
  int style = 1;

  // Unit A, normal body: what a component shows first.
  bool isDefaultView() const { return unit == 1 && style == 1; }
  bool operator==(const UnitChoice&) const = default;
};

// The records that carry a unit and a body style.
enum class FilteredRecord { Rectangle, Polyline, Circle, Arc, Text, Pin };

struct FilterPositions {
  int unit;   // token position of the unit
  int style;  // token position of the body style
};

FilterPositions filterPositionsOf(FilteredRecord record);

// Whether a record with these unit and body-style tokens is drawn for `choice`: its unit is 0 or
// the chosen unit and its body style is 0 or the chosen style, for every record kind and every
// choice, unit A included. A token matches a number only when it is that number's plain decimal
// text.
bool recordDrawn(std::string_view unit, std::string_view style, const UnitChoice& choice);

// The value of a token that is a plain decimal number as recordDrawn matches them (no sign,
// blank or leading zero), up to kMaxUnits + 1; -1 for any other token.
int plainNumber(std::string_view token);

// The most units a symbol offers: 26 x 26 names (A..Z, AA..YZ), whatever its DEF line says.
inline constexpr int kMaxUnits = 26 * 26;

// The unit count of a DEF line's count token, within 1..kMaxUnits: a count that is no plain
// positive number gives one unit, a larger one gives kMaxUnits.
int boundedUnitCount(std::string_view countToken);

// A unit's letters as KiCad names them: A..Z for 1..26, then AA, AB, ..., AZ, BA, ... Units below
// 1 are named as 1.
std::string unitLetters(int unit);

}  // namespace quiral
