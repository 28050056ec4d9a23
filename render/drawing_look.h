#pragma once

#include <optional>
#include <string_view>

#include "platform/color.h"

namespace quiral {

// The two ways the record drawers can draw a symbol. The pixel view, the prepared pages and their
// files draw the specified look; every picture that is our own (vector files, fine catalogs, the
// window's zoom and sharp pictures) draws the KiCad look. Callers pass the name; the drawers read
// its rules.
enum class LookName { Specified, KiCad };

// KiCad's default symbol-editor colours (its classic palette: RED 132,0,0, CYAN 0,132,132,
// MAGENTA 132,0,132, LIGHTYELLOW 255,255,194), the only place they are stated.
struct LookColors {
  Color body = rgb(132, 0, 0);                 // outlines, graphic texts, filled 'F' shapes
  Color bodyFill = rgb(255, 255, 194);         // 'f' fills
  Color pin = rgb(132, 0, 0);                  // pin lines and their shape marks
  Color pinName = rgb(0, 132, 132);            // pin names
  Color pinNumber = rgb(132, 0, 0);            // pin numbers
  Color referenceAndValue = rgb(0, 132, 132);  // fields 0 and 1
  Color otherField = rgb(132, 0, 132);         // fields 2 and up
};

// The named rules of a look, read by the record drawers. Every rule is off in the specified
// look, so its drawing stays what the pixel view's description says.
struct DrawingLook {
  LookName name = LookName::Specified;
  // Pins marked invisible ('N' in the shape token), hidden fields ('I') and hidden texts are left
  // out; pins draw KiCad's shape marks in library units.
  bool hideInvisible = false;
  // Pin names and numbers go where KiCad puts them: the DEF line's name offset (names inside the
  // body at that distance, or above the line when it is 0, numbers then below), its show flags,
  // sizes as given.
  bool kicadPinTexts = false;
  // Fields and T texts are turned (H/V, tenths of a degree), justified (L/R/C, T/B/C), italic or
  // bold, their size the height of a capital letter in library units.
  bool placedTexts = false;
  // Shapes take the record's pen width (0 is kDefaultPenUnits) and fill ('F' the pen colour, 'f'
  // the body fill, 'N' none); a polyline is closed only when filled.
  bool pensAndFills = false;
  // A rectangle with no width or no height is the line (or dot) KiCad draws for it.
  bool degenerateShapesAsLines = false;
  // The small mark at a pin's connection point, which KiCad's plots do not draw.
  bool pinConnectionMark = true;
  // Colours of the KiCad look; the specified look keeps its own black, teal and olive.
  bool kicadColors = false;
  LookColors colors;
};

// KiCad's default line width, in library units (mils); pens wider than the second are drawn that
// wide, so no record can make a picture unbounded.
constexpr double kDefaultPenUnits = 6;
constexpr double kMaxPenUnits = 1000;
// Gap between a pin's line and its texts outside the body: KiCad's 4-mil text margin plus half
// the pen widths of the line and the text.
constexpr double kPinTextGapUnits = 4 + kDefaultPenUnits;

const DrawingLook& drawingLook(LookName name);

// "kicad" or "specified"; none for anything else.
std::optional<LookName> parseLookName(std::string_view text);

}  // namespace quiral
