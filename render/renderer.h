#pragma once

#include <string>
#include <vector>

#include "library/library_browser.h"
#include "library/line_interpreter.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "render/drawing_state.h"
#include "render/pixel_surface.h"
#include "render/record_drawer.h"

namespace quiral {

// Draws component blocks on the 2000 x 2000 DrawingCanvas and crops the drawn area into the
// ViewImage. Owns the token table (through its LineInterpreter), the DrawingState and both images.
class Renderer : public ComponentRenderer, public RecordHandlers {
 public:
  static constexpr int kCanvasSize = 2000;

  // Draws text with fonts of its own.
  Renderer();
  // Draws text with the given fonts, which must outlive the renderer.
  explicit Renderer(FontEngine& fonts);
  ~Renderer() override;

  // ComponentRenderer: reset, draw every memo line of unit A / body style 1, crop into the
  // ViewImage.
  void RenderComponent(const std::vector<std::string>& memo) override;
  // The same for another unit and body style.
  void RenderComponent(const std::vector<std::string>& memo, const UnitChoice& choice);
  // Whitens the canvas and the view image.
  void ClearCanvas();
  // Draws the memo line at `caretLine` (when 0 <= caretLine < memo size) on top of the current
  // drawing and refreshes the view image.
  void B_linhaClick(const std::vector<std::string>& memo, int caretLine);

  void interpreta_linha(std::string_view line) { interpreter_.interpreta_linha(line); }

  DrawingState& state() { return state_; }
  const DrawingState& state() const { return state_; }
  const Bitmap& DrawingCanvas() const { return canvasBitmap_; }
  const Bitmap& ViewImage() const { return viewImage_; }
  // The caption of the hidden label that the arc drawer sets ("não invert" / "invertida").
  const std::string& label1Caption() const { return drawer_.label1Caption(); }
  // Drawing on the canvas must go through this Canvas (not its bitmap() directly): the next
  // rendering whitens only the box the Canvas recorded as touched.
  Canvas& canvas() { return canvas_; }

  // RecordHandlers
  void retangulo(const TokenTable& tokens, int tokenCount) override;
  void poligono(const TokenTable& tokens, int tokenCount) override;
  void pino(const TokenTable& tokens, int tokenCount) override;
  void textos(const TokenTable& tokens, int tokenCount) override;
  void arco(const TokenTable& tokens, int tokenCount) override;
  void circulo(const TokenTable& tokens, int tokenCount) override;
  void definicao(const TokenTable& tokens, int tokenCount) override;
  void titulos(const TokenTable& tokens, int tokenCount) override;
  void aliasLine(std::string_view line) override;

  // The coordinate mappings; each call widens the bounding box.
  int32_t MapX(int64_t v);
  int32_t MapY(int64_t v);

 private:
  // Whitens what the last drawings touched, which is all that is not white on the canvas.
  void whitenCanvas();
  // Sizes the view image to the bounding box plus margins and copies that part of the canvas.
  void cropIntoView();

  DrawingState state_;
  Bitmap canvasBitmap_;
  Canvas canvas_;
  PixelSurface pixels_{canvas_, state_};
  RecordDrawer drawer_{pixels_, state_};
  LineInterpreter interpreter_{&drawer_};
  Bitmap viewImage_;
};

// One program's worth of state: the library in use with its component list and memo, and the
// renderer that ShowComponent draws with.
struct Session {
  Session() { browser.setRenderer(&renderer); }
  // Draws with the given fonts, which must outlive the session.
  explicit Session(FontEngine& fonts) : renderer(fonts) { browser.setRenderer(&renderer); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  Renderer renderer;
  LibraryBrowser browser;
};

}  // namespace quiral
