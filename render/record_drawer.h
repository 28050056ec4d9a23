#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/line_interpreter.h"
#include "render/drawing_look.h"
#include "render/drawing_state.h"
#include "render/drawing_surface.h"
#include "render/pin_layout.h"
#include "render/unit_choice.h"

namespace quiral {

// The record drawers: what each library record draws (unit and body-style filters, token values,
// the DEF options, pin layout, name and number placement, shape marks, text turns), sent to a
// drawing surface. The same drawers feed the pixel canvas and the vector recorder, in the look
// the output asks for (the pixel canvas always in the specified one).
class RecordDrawer : public RecordHandlers {
 public:
  RecordDrawer(DrawingSurface& surface, DrawingState& state, LookName look = LookName::Specified)
      : surface_(surface), state_(state), look_(drawingLook(look)) {}

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

  // The KiCad look (look_pins.cpp, look_texts.cpp).
  void kicadPin(const TokenTable& tokens);
  // The pin's line from its connection point to its end, shortened by a bubble, and its marks.
  void kicadPinLine(std::string_view shape, double x, double y, double ex, double ey,
                    int64_t nameSize, int64_t numberSize);
  void kicadPinTexts(const TokenTable& tokens, PinOrientation o, double x, double y, double ex,
                     double ey, int64_t nameSize, int64_t numberSize);
  void kicadField(const TokenTable& tokens);
  void kicadText(const TokenTable& tokens);
  // Arial with its capitals `height` library units high.
  void selectTextFont(int64_t height, Color color, int turn, bool italic, bool bold);
  // Draws the text in the current font with its anchor at the library point (x, y), turned by
  // `turn` tenths of a degree and justified: `h` L, R or C along the text, `v` T, B or C across
  // it (the capitals' top, the baseline or their middle on the anchor).
  void placeText(double x, double y, int turn, char h, char v, std::string_view text);
  // The same for a pin name, whose '~' marks start and end KiCad's overbars.
  void placeOverbarred(double x, double y, int turn, char h, char v, std::string_view marked,
                       Color color);
  // The record's pen width and fill for the shapes after it, in looks that draw them.
  void applyPen(std::string_view width, std::string_view fill);
  // The colour of body outlines in this look.
  Color bodyColor() const { return look_.kicadColors ? look_.colors.body : colors::kBlack; }
  // Canvas position of a library point given in fractions of a unit.
  SurfacePoint mapPoint(double x, double y);

  DrawingSurface& surface_;
  DrawingState& state_;
  const DrawingLook& look_;
  std::string label1Caption_;
  std::vector<SurfacePoint> polylinePoints_;  // reused by every polyline
};

}  // namespace quiral
