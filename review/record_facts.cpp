#include "review/record_facts.h"

#include <algorithm>

#include "render/record_rules.h"
#include "render/token_value.h"

namespace quiral {

namespace {

int value(const TokenTable& tokens, int position) {
  return tokenValue(tokens.text(position));
}

char firstChar(const std::string& text, char fallback) {
  return text.empty() ? fallback : text[0];
}

// A polyline reads the same either way round: the direction whose first point is the smaller
// is kept.
void canonicalDirection(std::vector<int>& points) {
  const size_t n = points.size() / 2;
  std::vector<int> reversed;
  reversed.reserve(points.size());
  for (size_t i = n; i-- > 0;) {
    reversed.push_back(points[2 * i]);
    reversed.push_back(points[2 * i + 1]);
  }
  if (reversed < points) points.swap(reversed);
}

// Old libraries write a free text's spaces as tildes when they do not quote it.
std::string freeTextOf(const std::string& token, std::string_view line) {
  if (line.find('"') != std::string_view::npos || token == "~") return token;
  std::string text = token;
  std::replace(text.begin(), text.end(), '~', ' ');
  return text;
}

}  // namespace

GraphicFact& RecordFacts::addGraphic(GraphicKind kind, const TokenTable& tokens, int unitAt,
                                     int widthAt) {
  GraphicFact& item = symbol_->graphics.emplace_back();
  item.kind = kind;
  item.unit = value(tokens, unitAt);
  item.style = value(tokens, unitAt + 1);
  if (item.style == 2) symbol_->deMorgan = true;
  if (widthAt > 0) item.width = value(tokens, widthAt);
  return item;
}

void RecordFacts::retangulo(const TokenTable& tokens, int) {
  if (!symbol_) return;
  GraphicFact& item = addGraphic(GraphicKind::Rectangle, tokens, 6, 8);
  const int x1 = value(tokens, 2), y1 = value(tokens, 3), x2 = value(tokens, 4),
            y2 = value(tokens, 5);
  item.points = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  item.fill = firstChar(tokens.text(9), 'N');
}

void RecordFacts::circulo(const TokenTable& tokens, int) {
  if (!symbol_) return;
  GraphicFact& item = addGraphic(GraphicKind::Circle, tokens, 5, 7);
  item.points = {value(tokens, 2), value(tokens, 3), value(tokens, 4)};
  item.fill = firstChar(tokens.text(8), 'N');
}

void RecordFacts::arco(const TokenTable& tokens, int) {
  if (!symbol_) return;
  GraphicFact& item = addGraphic(GraphicKind::Arc, tokens, 7, 9);
  item.fill = firstChar(tokens.text(10), 'N');
  std::pair<int, int> a{value(tokens, 11), value(tokens, 12)};
  std::pair<int, int> b{value(tokens, 13), value(tokens, 14)};
  if (b < a) std::swap(a, b);
  item.points = {value(tokens, 2), value(tokens, 3), value(tokens, 4), a.first,
                 a.second,         b.first,          b.second};
}

void RecordFacts::poligono(const TokenTable& tokens, int) {
  if (!symbol_) return;
  GraphicFact& item = addGraphic(GraphicKind::Polyline, tokens, 3, 5);
  // Only the points the token table holds are read, as the drawers do.
  const int64_t count = std::max<int64_t>(0, decimalCount(tokens.text(2), kMaxPolylinePoints));
  for (int64_t i = 0; i < count; ++i) {
    item.points.push_back(value(tokens, int(2 * i + 6)));
    item.points.push_back(value(tokens, int(2 * i + 7)));
  }
  item.fill = firstChar(tokens.text(int(2 * count + 6)), 'N');
  canonicalDirection(item.points);
}

void RecordFacts::textos(const TokenTable& tokens, int) {
  if (!symbol_) return;
  GraphicFact& item = addGraphic(GraphicKind::Text, tokens, 7, 0);
  item.points = {value(tokens, 3), value(tokens, 4)};
  item.text = freeTextOf(tokens.text(9), line_);
  // Angle, size, visibility, italic, bold and justification in one spelling.
  const int angle = value(tokens, 2) % 3600;
  const std::string& italic = tokens.text(10);
  item.textStyle = "angle " + std::to_string(angle) + " size " + std::to_string(value(tokens, 5));
  if (value(tokens, 6) != 0) item.textStyle += " hidden";
  if (!italic.empty() && (italic[0] == 'I' || italic[0] == 'i')) item.textStyle += " italic";
  if (value(tokens, 11) != 0) item.textStyle += " bold";
  item.textStyle += " justify ";
  item.textStyle += firstChar(tokens.text(12), 'C');
  item.textStyle += firstChar(tokens.text(13), 'C');
}

void RecordFacts::pino(const TokenTable& tokens, int) {
  if (!symbol_) return;
  PinFact& pin = symbol_->pins.emplace_back();
  pin.name = tokens.text(2);
  pin.number = tokens.text(3);
  pin.x = value(tokens, 4);
  pin.y = value(tokens, 5);
  pin.length = value(tokens, 6);
  pin.orientation = firstChar(tokens.text(7), 'R');
  pin.numberSize = value(tokens, 8);
  pin.nameSize = value(tokens, 9);
  pin.unit = value(tokens, 10);
  pin.style = value(tokens, 11);
  if (pin.style == 2) symbol_->deMorgan = true;
  pin.type = firstChar(tokens.text(12), 'U');
  pin.shape = tokens.text(13);
}

void RecordFacts::definicao(const TokenTable& tokens, int) {
  if (!symbol_) return;
  std::string name = tokens.text(2);
  // A tilde before the name hides the value field; the symbol is still named without it.
  if (name.size() > 1 && name[0] == '~') name.erase(0, 1);
  symbol_->name = name;
  symbol_->pinNameOffset = value(tokens, 5);
  symbol_->showPinNumbers = tokens.text(6) != "N";
  symbol_->showPinNames = tokens.text(7) != "N";
  symbol_->unitCount = std::max(1, value(tokens, 8));
  symbol_->unitsLocked = tokens.text(9) == "L";
  symbol_->power = tokens.text(10) == "P";
}

void RecordFacts::titulos(const TokenTable& tokens, int) {
  const std::string& first = tokens.text(1);
  if (first[1] < '0' || first[1] > '9') return;  // a two-letter word such as "FO" is no field
  field(tokens, first[1] - '0');
}

void RecordFacts::field(const TokenTable& tokens, int index) {
  if (!symbol_) return;
  FieldFact& field = symbol_->fields.emplace_back();
  field.index = index;
  field.text = tokens.text(2);
  field.x = value(tokens, 3);
  field.y = value(tokens, 4);
  field.size = value(tokens, 5);
  field.orientation = firstChar(tokens.text(6), 'H');
  field.visible = tokens.text(7) != "I";
  field.hjust = firstChar(tokens.text(8), 'C');
  const std::string& style = tokens.text(9);
  field.vjust = firstChar(style, 'C');
  field.italic = style.size() > 1 && style[1] == 'I';
  field.bold = style.size() > 2 && style[2] == 'B';
  if (index >= 4) field.name = tokens.text(10);
}

// The aliases are names: the walk of the library that lists the names keeps them, as the index
// does, so that a block reads the same names whether its records were read or not.
void RecordFacts::aliasLine(std::string_view) {}

}  // namespace quiral
