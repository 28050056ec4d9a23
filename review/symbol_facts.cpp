#include "review/symbol_facts.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace quiral {

namespace {

void appendNumber(std::string& out, long long value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

void appendWord(std::string& out, std::string_view word) {
  out += ' ';
  out += word;
}

void appendQuoted(std::string& out, std::string_view text) {
  out += " \"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

void appendInts(std::string& out, std::initializer_list<long long> values) {
  for (long long v : values) {
    out += ' ';
    appendNumber(out, v);
  }
}

}  // namespace

const DocFacts& LibraryFacts::docsOf(const std::string& name) const {
  static const DocFacts none;
  const auto found = docs.find(name);
  return found == docs.end() ? none : found->second;
}

const char* graphicKindName(GraphicKind kind) {
  switch (kind) {
    case GraphicKind::Rectangle:
      return "rectangle";
    case GraphicKind::Circle:
      return "circle";
    case GraphicKind::Arc:
      return "arc";
    case GraphicKind::Polyline:
      return "polyline";
    case GraphicKind::Text:
      return "text";
  }
  return "item";
}

std::string pinKey(const PinFact& pin) {
  // Unit and body style first: the canonical order walks a symbol unit by unit.
  std::string key = "unit";
  appendInts(key, {pin.unit});
  appendWord(key, "style");
  appendInts(key, {pin.style});
  appendWord(key, "number");
  appendQuoted(key, pin.number);
  appendWord(key, "name");
  appendQuoted(key, pin.name);
  appendWord(key, "at");
  appendInts(key, {pin.x, pin.y});
  appendWord(key, "length");
  appendInts(key, {pin.length});
  appendWord(key, std::string(1, pin.orientation));
  appendWord(key, "sizes");
  appendInts(key, {pin.numberSize, pin.nameSize});
  appendWord(key, "type");
  appendWord(key, std::string(1, pin.type));
  appendWord(key, "shape");
  appendWord(key, pin.shape.empty() ? "line" : pin.shape);
  return key;
}

std::string fieldKey(const FieldFact& field) {
  std::string key = "F";
  appendNumber(key, field.index < 4 ? field.index : 4);
  if (field.index >= 4) appendQuoted(key, field.name);
  appendQuoted(key, field.text);
  appendWord(key, "at");
  appendInts(key, {field.x, field.y});
  appendWord(key, "size");
  appendInts(key, {field.size});
  key += ' ';
  key += field.orientation;
  appendWord(key, field.visible ? "visible" : "hidden");
  key += ' ';
  key += field.hjust;
  key += field.vjust;
  if (field.italic) appendWord(key, "italic");
  if (field.bold) appendWord(key, "bold");
  return key;
}

std::string graphicKey(const GraphicFact& item) {
  std::string key = "unit";
  appendInts(key, {item.unit});
  appendWord(key, "style");
  appendInts(key, {item.style});
  appendWord(key, graphicKindName(item.kind));
  for (int v : item.points) appendInts(key, {v});
  if (item.kind == GraphicKind::Text) {
    appendQuoted(key, item.text);
    appendWord(key, item.textStyle);
  } else {
    appendWord(key, "width");
    appendInts(key, {item.width});
    appendWord(key, "fill");
    key += ' ';
    key += item.fill;
  }
  return key;
}

namespace {

auto tied(const PinFact& p) {
  return std::tie(p.unit, p.style, p.number, p.name, p.x, p.y, p.length, p.orientation,
                  p.numberSize, p.nameSize, p.type, p.shape);
}

auto tied(const GraphicFact& g) {
  return std::tie(g.unit, g.style, g.kind, g.points, g.text, g.textStyle, g.width, g.fill);
}

}  // namespace

bool operator<(const PinFact& a, const PinFact& b) {
  return tied(a) < tied(b);
}
bool operator==(const PinFact& a, const PinFact& b) {
  return tied(a) == tied(b);
}
bool operator<(const GraphicFact& a, const GraphicFact& b) {
  return tied(a) < tied(b);
}
bool operator==(const GraphicFact& a, const GraphicFact& b) {
  return tied(a) == tied(b);
}

void normaliseSymbol(SymbolFacts& symbol) {
  std::sort(symbol.pins.begin(), symbol.pins.end());
  std::sort(symbol.graphics.begin(), symbol.graphics.end());
  // Fields by number, user fields by their name: their order in the block does not matter.
  std::stable_sort(symbol.fields.begin(), symbol.fields.end(),
                   [](const FieldFact& a, const FieldFact& b) {
                     const int ia = std::min(a.index, 4), ib = std::min(b.index, 4);
                     return ia != ib ? ia < ib : a.name < b.name;
                   });
  std::sort(symbol.aliases.begin(), symbol.aliases.end());
  std::sort(symbol.footprintFilters.begin(), symbol.footprintFilters.end());
}

}  // namespace quiral
