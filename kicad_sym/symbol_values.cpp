#include "kicad_sym/symbol_values.h"

#include <charconv>
#include <cmath>

namespace quiral {

namespace {

constexpr double kMillimetresPerMil = 0.0254;
constexpr double kLargestMils = 10'000'000;

std::string positioned(Sexpr where, const std::string& what) {
  return "line " + std::to_string(where.line()) + ", column " + std::to_string(where.column()) +
         ": " + what;
}

std::string describe(Sexpr list) {
  std::string name(list.head());
  return name.empty() ? std::string("a list") : "(" + name + " ...)";
}

}  // namespace

TranslationError::TranslationError(Sexpr where, const std::string& what)
    : QuiralError(positioned(where, what)) {}

int toMils(double millimetres, Sexpr where) {
  const double mils = millimetres / kMillimetresPerMil;
  if (!(std::fabs(mils) <= kLargestMils)) throw TranslationError(where, "a value out of range");
  return int(std::lround(mils));
}

Sexpr required(Sexpr owner, std::string_view name) {
  const Sexpr child = owner.find(name);
  if (!child.valid())
    throw TranslationError(owner, describe(owner) + " lacks (" + std::string(name) + " ...)");
  return child;
}

namespace {

// Plain decimals ("-1.27", "0.0254", "5") are turned into mils with whole numbers:
// digits × 10^-k mm = digits × 10^(4-k) / 254 mils, rounded half away from zero, exactly and
// without a floating-point parse. Anything else (exponents, long digit runs) returns false.
bool exactMils(std::string_view text, long long& mils) {
  if (text.empty() || text.size() > 15) return false;
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long digits = 0;
  const char* const whole = p;
  while (p < end && unsigned(*p - '0') < 10) digits = digits * 10 + (*p++ - '0');
  const bool wholeDigits = p > whole;
  int fraction = 0;
  if (p < end && *p == '.') {
    const char* const point = ++p;
    while (p < end && unsigned(*p - '0') < 10) digits = digits * 10 + (*p++ - '0');
    fraction = int(p - point);
  }
  if (p != end || (!wholeDigits && fraction == 0)) return false;
  long long numerator = digits, denominator = 254;
  for (int k = fraction; k < 4; ++k) numerator *= 10;
  for (int k = 4; k < fraction; ++k) denominator *= 10;
  const long long rounded = (2 * numerator + denominator) / (2 * denominator);
  mils = negative ? -rounded : rounded;
  return true;
}

}  // namespace

int milsAt(Sexpr list, size_t position) {
  const Sexpr child = list.at(position);
  long long mils = 0;
  if (child.isAtom() && exactMils(child.text(), mils)) {
    if (mils > kLargestMils || mils < -kLargestMils)
      throw TranslationError(child, "a value out of range");
    return int(mils);
  }
  const auto value = list.number(position);
  if (!value) {
    const Sexpr where = list.at(position).valid() ? list.at(position) : list;
    throw TranslationError(where, describe(list) + " lacks a number");
  }
  return toMils(*value, child);
}

MilPoint pointOf(Sexpr list) {
  return {milsAt(list, 1), milsAt(list, 2)};
}

MmPoint mmPointOf(Sexpr list) {
  // Read through milsAt first so that missing or huge values are refused the same way.
  milsAt(list, 1);
  milsAt(list, 2);
  return {*list.number(1), *list.number(2)};
}

double numberOr(Sexpr list, size_t position, double fallback) {
  const auto value = list.number(position);
  return value ? *value : fallback;
}

bool flagValue(Sexpr list) {
  const std::string_view value = list.at(1).text();
  return value != "no" && value != "false";
}

bool flagOf(Sexpr owner, std::string_view name) {
  for (Sexpr child = owner.first().next(); child.valid(); child = child.next()) {
    if (child.isList() ? child.head() == name : !child.isString() && child.text() == name)
      return child.isList() ? flagValue(child) : true;
  }
  return false;
}

size_t textPositionOf(Sexpr list) {
  const Sexpr first = list.at(1);
  return first.isAtom() && !first.isString() && first.text() == "private" ? 2 : 1;
}

namespace {

// One pass over (font (size H W) [italic] [bold] ...).
void readFont(Sexpr font, TextStyle& style) {
  for (Sexpr child = font.first().next(); child.valid(); child = child.next()) {
    const std::string_view name = child.isList() ? child.head() : child.text();
    if (name == "size" && child.isList()) {
      if (child.at(1).valid()) style.size = milsAt(child, 1);
    } else if (name == "italic") {
      style.italic = !child.isList() || flagValue(child);
    } else if (name == "bold") {
      style.bold = !child.isList() || flagValue(child);
    }
  }
}

void readJustify(Sexpr justify, TextStyle& style) {
  for (Sexpr word = justify.first().next(); word.valid(); word = word.next()) {
    const std::string_view side = word.text();
    if (side == "left") style.hjust = 'L';
    if (side == "right") style.hjust = 'R';
    if (side == "top") style.vjust = 'T';
    if (side == "bottom") style.vjust = 'B';
  }
}

}  // namespace

// One pass over the owner's children and one over its effects: this runs for every text, pin
// name and pin number of a library.
TextStyle textStyleOf(Sexpr owner) {
  TextStyle style;
  Sexpr effects;
  for (Sexpr child = owner.first().next(); child.valid(); child = child.next()) {
    if (!child.isList()) {
      if (!child.isString() && child.text() == "hide") style.hidden = true;
    } else if (child.head() == "effects") {
      effects = child;
    } else if (child.head() == "hide") {
      style.hidden = flagValue(child);
    }
  }
  for (Sexpr child = effects.first().next(); child.valid(); child = child.next()) {
    const std::string_view name = child.isList() ? child.head() : child.text();
    if (name == "font") {
      readFont(child, style);
    } else if (name == "justify") {
      readJustify(child, style);
    } else if (name == "hide") {
      style.hidden = style.hidden || !child.isList() || flagValue(child);
    }
  }
  return style;
}

char orientationLetter(double degrees) {
  long quarter = std::lround(std::fmod(degrees, 360.0) / 90.0) % 4;
  if (quarter < 0) quarter += 4;
  static constexpr char kLetters[] = {'R', 'U', 'L', 'D'};
  return kLetters[quarter];
}

namespace {

// The digits of `value` (and a sign) end at `end`; returns where they start.
char* formatInt(char* end, long long value) {
  char* p = end;
  unsigned long long magnitude = value < 0 ? 0ULL - (unsigned long long)value : value;
  do {
    *--p = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) *--p = '-';
  return p;
}

}  // namespace

void appendInt(std::string& out, long long value) {
  char buffer[24];
  char* const start = formatInt(buffer + sizeof buffer, value);
  out.append(start, size_t(buffer + sizeof buffer - start));
}

void appendField(std::string& line, long long value) {
  char buffer[24];
  char* start = formatInt(buffer + sizeof buffer, value);
  *--start = ' ';
  line.append(start, size_t(buffer + sizeof buffer - start));
}

}  // namespace quiral
