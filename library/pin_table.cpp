#include "library/pin_table.h"

#include "library/line_interpreter.h"

namespace quiral {

namespace {

// Collects the X lines' fields: X name number x y length orientation sizeNumber sizeName unit
// style type [shape]. Every other record is passed over.
class PinCollector final : public RecordHandlers {
 public:
  std::vector<PinRow> rows;

  void pino(const TokenTable& t, int tokenCount) override {
    rows.push_back({t.text(3), t.text(2), pinTypeWords(t.text(12)),
                    tokenCount >= 13 ? pinShapeWords(t.text(13)) : "line", t.text(10), t.text(11),
                    t.text(4), t.text(5), pinOrientationWords(t.text(7)), t.text(6)});
  }
  void retangulo(const TokenTable&, int) override {}
  void poligono(const TokenTable&, int) override {}
  void textos(const TokenTable&, int) override {}
  void arco(const TokenTable&, int) override {}
  void circulo(const TokenTable&, int) override {}
  void definicao(const TokenTable&, int) override {}
  void titulos(const TokenTable&, int) override {}
  void aliasLine(std::string_view) override {}
};

}  // namespace

std::vector<PinRow> pinTable(const std::vector<std::string>& block) {
  PinCollector collector;
  LineInterpreter interpreter(&collector);
  for (const std::string& line : block) interpreter.interpreta_linha(line);
  return std::move(collector.rows);
}

const std::vector<std::string>& pinTableColumns() {
  static const std::vector<std::string> columns = {
      "number", "name", "type", "shape", "unit", "style", "x", "y", "orientation", "length"};
  return columns;
}

std::vector<std::string> pinRowFields(const PinRow& row) {
  return {row.number, row.name, row.type, row.shape,       row.unit,
          row.style,  row.x,    row.y,    row.orientation, row.length};
}

std::string pinTypeWords(const std::string& code) {
  if (code == "I") return "input";
  if (code == "O") return "output";
  if (code == "B") return "bidirectional";
  if (code == "T") return "tri-state";
  if (code == "P") return "passive";
  if (code == "U") return "unspecified";
  if (code == "W") return "power input";
  if (code == "w") return "power output";
  if (code == "C") return "open collector";
  if (code == "E") return "open emitter";
  if (code == "N") return "not connected";
  return code;
}

std::string pinShapeWords(const std::string& code) {
  // A leading N hides the pin; the rest names the shape.
  const bool hidden = !code.empty() && code[0] == 'N';
  const std::string shape = hidden ? code.substr(1) : code;
  std::string words;
  if (shape.empty())
    words = "line";
  else if (shape == "I")
    words = "inverted";
  else if (shape == "C")
    words = "clock";
  else if (shape == "CI" || shape == "IC")
    words = "inverted clock";
  else if (shape == "L")
    words = "input low";
  else if (shape == "CL" || shape == "LC")
    words = "clock low";
  else if (shape == "V")
    words = "output low";
  else if (shape == "F")
    words = "falling edge clock";
  else if (shape == "X")
    words = "non-logic";
  else
    words = shape;
  return hidden ? "invisible " + words : words;
}

std::string pinOrientationWords(const std::string& code) {
  if (code == "R") return "right";
  if (code == "L") return "left";
  if (code == "U") return "up";
  if (code == "D") return "down";
  return code;
}

}  // namespace quiral
