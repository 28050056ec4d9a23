#include <string_view>

#include "kicad_sym/modern_symbol.h"

namespace quiral {

ItemParts::ItemParts(Sexpr whole) : item(whole), textPosition(textPositionOf(whole)) {
  struct Wanted {
    std::string_view name;
    Sexpr ItemParts::*part;
  };
  static constexpr Wanted kWanted[] = {
      {"at", &ItemParts::at},     {"start", &ItemParts::start},     {"mid", &ItemParts::mid},
      {"end", &ItemParts::end},   {"center", &ItemParts::center},   {"radius", &ItemParts::radius},
      {"pts", &ItemParts::pts},   {"stroke", &ItemParts::stroke},   {"fill", &ItemParts::fill},
      {"size", &ItemParts::size}, {"effects", &ItemParts::effects}, {"length", &ItemParts::length},
      {"name", &ItemParts::name}, {"number", &ItemParts::number},
  };
  for (Sexpr child = whole.first().next(); child.valid(); child = child.next()) {
    if (!child.isList()) {
      if (!child.isString() && child.text() == "hide") hidden = true;
      continue;
    }
    const std::string_view head = child.head();
    if (head == "hide") {
      hidden = flagValue(child);
      continue;
    }
    for (const Wanted& wanted : kWanted) {
      if (head == wanted.name) {
        // The first of a kind counts, as a search from the start would find it.
        if (!(this->*wanted.part).valid()) this->*wanted.part = child;
        break;
      }
    }
  }
}

Sexpr ItemParts::required(Sexpr part, std::string_view name) const {
  if (!part.valid())
    throw TranslationError(
        item, "(" + std::string(item.head()) + " ...) lacks (" + std::string(name) + " ...)");
  return part;
}

}  // namespace quiral
