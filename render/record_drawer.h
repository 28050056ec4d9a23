#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/line_interpreter.h"
#include "render/drawing_state.h"
#include "render/drawing_surface.h"
#include "render/pin_layout.h"
#include "render/unit_choice.h"

namespace quiral {

// The record drawers: what each library record draws (unit and body-style filters, token values,
// the DEF options, pin layout, name and number placement, shape marks, text turns), sent to a
// drawing surface. The same drawers feed the pixel canvas and the vector recorder.
class RecordDrawer : public RecordHandlers {
 public:
  RecordDrawer(DrawingSurface& surface, DrawingState& state) : surface_(surface), state_(state) {}

  void retangulo(const TokenTable& tokens, int tokenCount) override;
  void poligono(const TokenTable& tokens, int tokenCount) override;
  void pino(const TokenTable& tokens, int tokenCount) override;
  void textos(const TokenTable& tokens, int tokenCount) override;
  void arco(const TokenTable& tokens, int tokenCount) override;
  void circulo(const TokenTable& tokens, int tokenCount) override;
  void definicao(const TokenTable& tokens, int tokenCount) override;
  void titulos(const TokenTable& tokens, int tokenCount) override;
  void aliasLine(std::string_view line) override;

  // The caption of the hidden label that the arc drawer sets ("não invert" / "invertida").
  const std::string& label1Caption() const { return label1Caption_; }

 private:
  // Whether the record on the token table belongs to the unit and body style being drawn.
  bool inChoice(FilteredRecord record, const TokenTable& tokens) const;
  // Maps the box of the circle with centre (cx, cy) and radius r, in library units: left, top,
  // right and bottom, each corner coordinate mapped once.
  void mapCircleBox(int64_t cx, int64_t cy, int64_t r, double box[4]);
  // Makes the font Arial at the given size, colour and turn (tenths of a degree).
  void selectFont(int pointSize, Color color, int escapement);
  // The marks of a pin's electrical shape (bubble, clock, active-low flags) at its end point.
  void drawPinShape(std::string_view shape, PinOrientation o, SurfacePoint end,
                    SurfacePoint bubble);

  DrawingSurface& surface_;
  DrawingState& state_;
  std::string label1Caption_;
  std::vector<SurfacePoint> polylinePoints_;  // reused by every polyline
};

}  // namespace quiral
