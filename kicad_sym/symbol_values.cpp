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

// Plain decimals ("-1.27", "0.0254", "5") are turned into mils with whole numbers:
// digits × 10^-k mm = digits × 10^(4-k) / 254 mils, rounded half away from zero, exactly and
// without a floating-point parse. Anything else (exponents, long digit runs) returns false.
bool exactMils(std::string_view text, long long& mils) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  long long digits = 0;
  int total = 0, fraction = -1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && fraction < 0) {
      fraction = 0;
      continue;
    }
    if (c < '0' || c > '9' || ++total > 14) return false;
    digits = digits * 10 + (c - '0');
    if (fraction >= 0) ++fraction;
  }
  if (total == 0) return false;
  if (fraction < 0) fraction = 0;
  long long numerator = digits, denominator = 254;
  for (int k = fraction; k < 4; ++k) numerator *= 10;
  for (int k = 4; k < fraction; ++k) denominator *= 10;
  const long long rounded = (2 * numerator + denominator) / (2 * denominator);
  mils = negative ? -rounded : rounded;
  return true;
}

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

bool flagOf(Sexpr owner, std::string_view name) {
  if (!owner.isList()) return false;
  if (owner.hasWord(name)) return true;
  const Sexpr list = owner.find(name);
  if (!list.valid()) return false;
  const std::string_view value = list.at(1).text();
  return value != "no" && value != "false";
}

TextStyle textStyleOf(Sexpr owner) {
  TextStyle style;
  const Sexpr effects = owner.find("effects");
  style.hidden = flagOf(owner, "hide") || flagOf(effects, "hide");
  if (!effects.valid()) return style;
  const Sexpr font = effects.find("font");
  if (font.valid()) {
    const Sexpr size = font.find("size");
    if (size.valid() && size.number(1)) style.size = toMils(*size.number(1), size);
    style.italic = flagOf(font, "italic");
    style.bold = flagOf(font, "bold");
  }
  const Sexpr justify = effects.find("justify");
  if (justify.valid()) {
    if (justify.hasWord("left")) style.hjust = 'L';
    if (justify.hasWord("right")) style.hjust = 'R';
    if (justify.hasWord("top")) style.vjust = 'T';
    if (justify.hasWord("bottom")) style.vjust = 'B';
  }
  return style;
}

char orientationLetter(double degrees) {
  long quarter = std::lround(std::fmod(degrees, 360.0) / 90.0) % 4;
  if (quarter < 0) quarter += 4;
  static constexpr char kLetters[] = {'R', 'U', 'L', 'D'};
  return kLetters[quarter];
}

void appendInt(std::string& out, long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace quiral
