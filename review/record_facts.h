#pragma once

#include <string_view>

#include "library/line_interpreter.h"
#include "review/symbol_facts.h"

namespace quiral {

// The record handlers of a review: each library record that the line dispatcher routes here
// becomes a fact of the symbol being read, its numbers read as values (so "50", "+50" and "50.0"
// agree) and its geometry put in canonical form.
class RecordFacts : public RecordHandlers {
 public:
  // Starts a symbol: the facts of the following records go into `symbol`.
  void start(SymbolFacts& symbol) { symbol_ = &symbol; }
  // The raw line being dispatched, for the few rules that depend on how a text was written.
  void setLine(std::string_view line) { line_ = line; }

  void retangulo(const TokenTable& tokens, int tokenCount) override;
  void poligono(const TokenTable& tokens, int tokenCount) override;
  void pino(const TokenTable& tokens, int tokenCount) override;
  void textos(const TokenTable& tokens, int tokenCount) override;
  void arco(const TokenTable& tokens, int tokenCount) override;
  void circulo(const TokenTable& tokens, int tokenCount) override;
  void definicao(const TokenTable& tokens, int tokenCount) override;
  void titulos(const TokenTable& tokens, int tokenCount) override;
  void aliasLine(std::string_view line) override;

  // A field line of number 10 or more, which the dispatcher leaves alone; `index` is its number.
  void field(const TokenTable& tokens, int index);

 private:
  GraphicFact& addGraphic(GraphicKind kind, const TokenTable& tokens, int unitAt, int widthAt);

  SymbolFacts* symbol_ = nullptr;
  std::string_view line_;
};

}  // namespace quiral
