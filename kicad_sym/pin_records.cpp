// Pins as legacy X records: name, number, position, length, orientation, text sizes, unit, body
// style, electrical type letter and shape letters (N first for a hidden pin).

#include <string_view>

#include "kicad_sym/legacy_text.h"
#include "kicad_sym/modern_symbol.h"

namespace quiral {

namespace {

struct NameAndLetters {
  std::string_view name;
  const char* letters;
};

constexpr NameAndLetters kElectricalTypes[] = {
    {"input", "I"},     {"output", "O"},         {"bidirectional", "B"}, {"tri_state", "T"},
    {"passive", "P"},   {"free", "U"},           {"unspecified", "U"},   {"power_in", "W"},
    {"power_out", "w"}, {"open_collector", "C"}, {"open_emitter", "E"},  {"no_connect", "N"},
};

constexpr NameAndLetters kShapes[] = {
    {"line", ""},       {"inverted", "I"},   {"clock", "C"},      {"inverted_clock", "IC"},
    {"input_low", "L"}, {"clock_low", "CL"}, {"output_low", "V"}, {"edge_clock_high", "F"},
    {"non_logic", "X"},
};

template <size_t N>
const char* lettersOf(const NameAndLetters (&table)[N], std::string_view name,
                      const char* fallback) {
  for (const NameAndLetters& entry : table) {
    if (entry.name == name) return entry.letters;
  }
  return fallback;
}

struct PinText {
  std::string text;
  int size = 50;
};

PinText pinTextOf(Sexpr node, LossTally& losses) {
  if (!node.valid()) return {"~", 50};
  const std::string_view text = node.at(1).text();
  bool changed = false;
  PinText result{pinText(text, changed), textStyleOf(node).size};
  if (changed) losses.add(Loss::PinTextsWithSpaces);
  losses.add(Loss::LiteralTildes, uint32_t(countLiteralTildes(text)));
  return result;
}

// Alternate functions of a pin: (alternate "NAME" TYPE SHAPE), one list each.
uint32_t alternatesOf(const ItemParts& pin) {
  uint32_t count = 0;
  for (Sexpr child = pin.item.first(); child.valid(); child = child.next())
    count += child.is("alternate");
  return count;
}

}  // namespace

void appendPinRecord(const ItemParts& pin, int unit, int convert, SymbolDrawing& out) {
  const Sexpr at = pin.required(pin.at, "at");
  const PinText name = pinTextOf(pin.name, out.losses);
  const PinText number = pinTextOf(pin.number, out.losses);
  out.losses.add(Loss::PinAlternates, alternatesOf(pin));
  // Legacy libraries have no unconnectable "free" pin; it is written as unspecified.
  if (pin.item.at(1).text() == "free") out.losses.add(Loss::FreePins);
  const Sexpr length = pin.length;
  std::string line;
  line.reserve(64);
  line += "X ";
  line += name.text;
  line += ' ';
  line += number.text;
  appendField(line, milsAt(at, 1));
  appendField(line, milsAt(at, 2));
  appendField(line, length.valid() ? milsAt(length, 1) : 0);
  line += ' ';
  line += orientationLetter(numberOr(at, 3, 0));
  appendField(line, number.size);
  appendField(line, name.size);
  appendField(line, unit);
  appendField(line, convert);
  line += ' ';
  line += lettersOf(kElectricalTypes, pin.item.at(1).text(), "U");
  // A hidden pin is marked N before its shape letters.
  std::string shape = pin.hidden ? "N" : "";
  shape += lettersOf(kShapes, pin.item.at(2).text(), "");
  if (!shape.empty()) {
    line += ' ';
    line += shape;
  }
  out.push(RecordKind::Pin, convert, unit, std::move(line));
}

}  // namespace quiral
