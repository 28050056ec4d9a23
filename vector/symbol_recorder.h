#pragma once

#include <string>
#include <vector>

#include "library/line_interpreter.h"
#include "platform/display_list.h"
#include "render/drawing_state.h"
#include "render/record_drawer.h"
#include "vector/vector_surface.h"

namespace quiral {

class FontEngine;

// Draws a component's lines into a display list with the same record drawers as the pixel view.
// One recorder is reused from component to component; it is not thread-safe (one per thread).
class SymbolRecorder {
 public:
  // Fonts come from `fonts`, which must outlive the recorder. Our own pictures draw the KiCad
  // look; the specified one is what the pixel view draws.
  explicit SymbolRecorder(FontEngine& fonts, LookName look = LookName::KiCad);
  SymbolRecorder(const SymbolRecorder&) = delete;
  SymbolRecorder& operator=(const SymbolRecorder&) = delete;

  // Draws every line (from the DEF line to ENDDEF) and returns the display list, valid until the
  // next call.
  const DisplayList& record(const std::vector<std::string>& memo,
                            const UnitChoice& choice = UnitChoice{});
  const DisplayList& displayList() const { return list_; }
  // Unit count, alias line and pin options read while drawing.
  const DrawingState& state() const { return state_; }

 private:
  DisplayList list_;
  DrawingState state_;
  VectorSurface surface_;
  RecordDrawer drawer_;
  LineInterpreter interpreter_;
};

}  // namespace quiral
