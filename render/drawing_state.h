#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/unit_choice.h"

namespace quiral {

// What the record drawers share about the component being drawn.
struct DrawingState {
  int32_t MinX = 0;
  int32_t MaxX = 0;
  int32_t MinY = 0;
  int32_t MaxY = 0;
  bool ShowPinNumbers = false;
  bool ShowPinNames = false;
  // The DEF line's pin-name offset: names inside the body this far from the pin's end, or beside
  // the line when 0.
  int32_t PinNameOffset = 0;
  std::string UnitCount;
  std::string AliasLine;  // the last ALIAS line, as the catalogs' alias label shows it
  std::vector<std::string> AliasLines;  // every ALIAS line of the block, in order
  int32_t PrintRemaining = 0;
  // The unit and body style whose records are drawn; set by whoever starts a drawing.
  UnitChoice Choice;
};

}  // namespace quiral
