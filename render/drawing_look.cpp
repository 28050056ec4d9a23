#include "render/drawing_look.h"

namespace quiral {

namespace {

constexpr DrawingLook kSpecifiedLook{};

constexpr DrawingLook makeKiCadLook() {
  DrawingLook look;
  look.name = LookName::KiCad;
  look.hideInvisible = true;
  look.kicadPinTexts = true;
  look.placedTexts = true;
  look.pensAndFills = true;
  look.degenerateShapesAsLines = true;
  look.pinConnectionMark = false;
  look.kicadColors = true;
  return look;
}

constexpr DrawingLook kKiCadLook = makeKiCadLook();

}  // namespace

const DrawingLook& drawingLook(LookName name) {
  return name == LookName::KiCad ? kKiCadLook : kSpecifiedLook;
}

std::optional<LookName> parseLookName(std::string_view text) {
  if (text == "kicad") return LookName::KiCad;
  if (text == "specified") return LookName::Specified;
  return std::nullopt;
}

}  // namespace quiral
