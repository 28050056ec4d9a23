#include "render/renderer.h"

#include "render/coordinate_map.h"
#include "render/view_crop.h"

namespace quiral {

Renderer::Renderer() : canvasBitmap_(kCanvasSize, kCanvasSize), canvas_(canvasBitmap_) {}

Renderer::Renderer(FontEngine& fonts)
    : canvasBitmap_(kCanvasSize, kCanvasSize), canvas_(canvasBitmap_, fonts) {}

Renderer::~Renderer() = default;

int32_t Renderer::MapX(int64_t v) {
  return mapX(state_, v);
}

int32_t Renderer::MapY(int64_t v) {
  return mapY(state_, v);
}

void Renderer::ClearCanvas() {
  whitenCanvas();
  viewImage_.clear(colors::kWhite);
}

void Renderer::whitenCanvas() {
  canvas_.setPenColor(colors::kWhite);
  // The canvas was white when made and every change goes through canvas_, which records the box
  // it touched: whitening that box gives the same pixels as whitening all 2000 x 2000.
  Rect dirty = canvas_.touched();
  if (dirty.width() > 0 && dirty.height() > 0) {
    canvas_.fillRect(dirty.left, dirty.top, dirty.right, dirty.bottom);
  }
  canvas_.resetTouched();
}

void Renderer::RenderComponent(const std::vector<std::string>& memo) {
  RenderComponent(memo, UnitChoice{});
}

void Renderer::RenderComponent(const std::vector<std::string>& memo, const UnitChoice& choice) {
  state_.Choice = choice;
  resetBounds(state_);
  // The view image is rebuilt below, so only the canvas needs whitening here.
  whitenCanvas();
  canvas_.setPenColor(colors::kBlack);
  canvas_.setPenMode(PenMode::Mask);
  state_.UnitCount.clear();
  state_.AliasLine.clear();
  state_.AliasLines.clear();
  for (const std::string& line : memo) interpreter_.interpreta_linha(line);
  cropIntoView();
}

void Renderer::B_linhaClick(const std::vector<std::string>& memo, int caretLine) {
  if (caretLine >= 0 && size_t(caretLine) < memo.size()) {
    canvas_.setPenColor(colors::kBlack);
    canvas_.setPenMode(PenMode::Mask);
    interpreter_.interpreta_linha(memo[size_t(caretLine)]);
  }
  cropIntoView();
}

void Renderer::cropIntoView() {
  copyCrop(viewImage_, canvasBitmap_, viewCropOf(state_));
}

void Renderer::retangulo(const TokenTable& tokens, int tokenCount) {
  drawer_.retangulo(tokens, tokenCount);
}
void Renderer::poligono(const TokenTable& tokens, int tokenCount) {
  drawer_.poligono(tokens, tokenCount);
}
void Renderer::pino(const TokenTable& tokens, int tokenCount) {
  drawer_.pino(tokens, tokenCount);
}
void Renderer::textos(const TokenTable& tokens, int tokenCount) {
  drawer_.textos(tokens, tokenCount);
}
void Renderer::arco(const TokenTable& tokens, int tokenCount) {
  drawer_.arco(tokens, tokenCount);
}
void Renderer::circulo(const TokenTable& tokens, int tokenCount) {
  drawer_.circulo(tokens, tokenCount);
}
void Renderer::definicao(const TokenTable& tokens, int tokenCount) {
  drawer_.definicao(tokens, tokenCount);
}
void Renderer::titulos(const TokenTable& tokens, int tokenCount) {
  drawer_.titulos(tokens, tokenCount);
}
void Renderer::aliasLine(std::string_view line) {
  drawer_.aliasLine(line);
}

}  // namespace quiral
