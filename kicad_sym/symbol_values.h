#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kicad_sym/sexpr.h"
#include "platform/error.h"

namespace quiral {

// A symbol that cannot be translated; what() names the line and column of the offending node.
// The translator skips the symbol and reports it as a warning.
class TranslationError : public QuiralError {
 public:
  TranslationError(Sexpr where, const std::string& what);
};

// Millimetres to mils (1 mil = 0.0254 mm), rounded to the nearest mil. Values beyond what a
// symbol can sensibly hold (about 250 m) are refused with a TranslationError naming `where`.
int toMils(double millimetres, Sexpr where);

// The child list (name ...) of `owner`; TranslationError naming the owner when it has none.
Sexpr required(Sexpr owner, std::string_view name);

// Child `position` of `list` as a number of mils; missing or malformed: TranslationError.
int milsAt(Sexpr list, size_t position);

struct MilPoint {
  int x = 0;
  int y = 0;
  bool operator==(const MilPoint&) const = default;
};

// The point of (at X Y ...), (xy X Y), (start X Y), (center X Y) ...
MilPoint pointOf(Sexpr list);
// The same in millimetres, unrounded, for geometry that must not lose precision.
struct MmPoint {
  double x = 0;
  double y = 0;
};
MmPoint mmPointOf(Sexpr list);

// Child `position` as a number, or `fallback` when it is missing or no number.
double numberOr(Sexpr list, size_t position, double fallback);

// A yes/no flag as the versions write it: the bare word `name` (hide, italic, bold) among the
// children of `owner`, or a child list (name yes) / (name) whose value is not "no" or "false".
bool flagOf(Sexpr owner, std::string_view name);
// The value of a (name yes|no) list: true unless it says "no" or "false".
bool flagValue(Sexpr list);

// Where the name or text of a (property ...) or (text ...) list stands: child 1, or child 2 when
// child 1 is the bare word "private" that KiCad 9 writes before it.
size_t textPositionOf(Sexpr list);

// How a text is drawn: size in mils, style, justification as legacy letters.
struct TextStyle {
  int size = 50;
  bool italic = false;
  bool bold = false;
  bool hidden = false;
  char hjust = 'C';
  char vjust = 'C';
};
// Reads (effects (font (size H W) [italic] [bold]) [(justify ...)] [hide]) of `owner`; a hide
// flag on the owner itself (as newer versions write it on properties) counts too.
TextStyle textStyleOf(Sexpr owner);

// Degrees of a pin or property angle to the legacy orientation letter R, U, L or D (the nearest
// quarter turn).
char orientationLetter(double degrees);

// Appends a decimal integer without the locale.
void appendInt(std::string& out, long long value);
// Appends a space and a decimal integer, as the fields of a legacy record are written.
void appendField(std::string& line, long long value);

}  // namespace quiral
