#pragma once

#include <string_view>

#include "library/token_table.h"

namespace quiral {

// The record handlers that interpreta_linha calls. Each reads the fields of the current line from
// the token table by position; tokenCount is what TokenizeLine returned for the line.
class RecordHandlers {
 public:
  virtual ~RecordHandlers() = default;
  virtual void retangulo(const TokenTable& tokens, int tokenCount) = 0;  // S
  virtual void poligono(const TokenTable& tokens, int tokenCount) = 0;   // P
  virtual void pino(const TokenTable& tokens, int tokenCount) = 0;       // X
  virtual void textos(const TokenTable& tokens, int tokenCount) = 0;     // T
  virtual void arco(const TokenTable& tokens, int tokenCount) = 0;       // A
  virtual void circulo(const TokenTable& tokens, int tokenCount) = 0;    // C
  virtual void definicao(const TokenTable& tokens, int tokenCount) = 0;  // DEF
  virtual void titulos(const TokenTable& tokens, int tokenCount) = 0;    // F0, F1, ... (two bytes)
  // An ALIAS line, exactly as received.
  virtual void aliasLine(std::string_view line) = 0;
};

// Tokenizes library lines and routes each to the handler its first token names.
class LineInterpreter {
 public:
  explicit LineInterpreter(RecordHandlers* handlers = nullptr) : handlers_(handlers) {}
  void setHandlers(RecordHandlers* handlers) { handlers_ = handlers; }

  // Empty lines are ignored (the table keeps the previous line's tokens); every other line is
  // tokenized and dispatched on its upper-cased first token.
  void interpreta_linha(std::string_view line);

  const TokenTable& tokens() const { return tokens_; }
  int TokenCount() const { return tokenCount_; }

 private:
  RecordHandlers* handlers_;
  TokenTable tokens_;
  int tokenCount_ = 0;
};

}  // namespace quiral
