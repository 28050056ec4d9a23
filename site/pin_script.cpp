#include "site/pin_script.h"

#include "render/unit_choice.h"
#include "site/html_text.h"

namespace quiral {

namespace {

// Whether `text` reads back the same through JavaScript's String(Number(text)).
bool isPlainInteger(const std::string& text) {
  const size_t digits = text.size() - (!text.empty() && text[0] == '-');
  if (digits == 0 || digits > 9) return false;
  const std::string_view rest = std::string_view(text).substr(text.size() - digits);
  if (rest.size() > 1 && rest[0] == '0') return false;
  if (text[0] == '-' && rest == "0") return false;  // -0 reads back as 0
  for (char c : rest)
    if (c < '0' || c > '9') return false;
  return true;
}

void appendValue(std::string& js, const std::string& text) {
  js += isPlainInteger(text) ? text : jsString(text);
}

}  // namespace

std::string pinUnitWords(const std::string& unit) {
  if (unit == "0") return "all";
  int number = 0;
  for (char c : unit) {
    if (c < '0' || c > '9' || number > 1000) return unit;
    number = number * 10 + (c - '0');
  }
  return unit.empty() ? unit : unitLetters(number);
}

std::string pinStyleWords(const std::string& style) {
  return style == "0" ? "both" : style == "1" ? "normal" : style == "2" ? "De Morgan" : style;
}

size_t PinScript::kindIndex(const PinRow& pin) {
  std::string kind = "[";
  for (const std::string& word :
       {pin.type, pin.shape, pinUnitWords(pin.unit), pinStyleWords(pin.style)})
    kind += (kind.size() > 1 ? "," : "") + jsString(word);
  kind += "]";
  const auto [it, added] = kindIndexes_.try_emplace(kind, kinds_.size());
  if (added) kinds_.push_back(std::move(kind));
  return it->second;
}

void PinScript::add(const std::string& anchor, const std::vector<PinRow>& pins) {
  if (pins.empty()) return;
  tables_ += tables_.empty() ? "\n" : ",\n";
  tables_ += jsString("#" + anchor) + ":[";  // never "__proto__", which a literal would not keep
  bool first = true;
  for (const PinRow& pin : pins) {
    if (!first) tables_ += ',';
    first = false;
    appendValue(tables_, pin.number);
    tables_ += ',';
    appendValue(tables_, pin.name);
    tables_ += ',' + std::to_string(kindIndex(pin));
    for (const std::string* value : {&pin.x, &pin.y, &pin.length}) {
      tables_ += ',';
      appendValue(tables_, *value);
    }
  }
  tables_ += ']';
}

std::string PinScript::script() const {
  std::string js = "quiralPins([";
  for (size_t i = 0; i < kinds_.size(); ++i) js += (i ? "," : "") + kinds_[i];
  js += "],{" + tables_ + "});\n";
  return js;
}

}  // namespace quiral
