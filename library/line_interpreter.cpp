#include "library/line_interpreter.h"

#include "library/text_words.h"

namespace quiral {

void LineInterpreter::interpreta_linha(std::string_view line) {
  if (line.empty()) return;
  tokenCount_ = TokenizeLine(tokens_, line);
  if (!handlers_) return;
  const std::string& first = tokens_.text(1);
  // Keywords are compared without regard to ASCII case; at most one of them can match.
  if (equalsUpper(first, "S")) {
    handlers_->retangulo(tokens_, tokenCount_);
  } else if (equalsUpper(first, "P")) {
    handlers_->poligono(tokens_, tokenCount_);
  } else if (equalsUpper(first, "X")) {
    handlers_->pino(tokens_, tokenCount_);
  } else if (equalsUpper(first, "T")) {
    handlers_->textos(tokens_, tokenCount_);
  } else if (equalsUpper(first, "A")) {
    handlers_->arco(tokens_, tokenCount_);
  } else if (equalsUpper(first, "C")) {
    handlers_->circulo(tokens_, tokenCount_);
  } else if (equalsUpper(first, "DEF")) {
    handlers_->definicao(tokens_, tokenCount_);
  } else if (equalsUpper(first, "ALIAS")) {
    handlers_->aliasLine(line);
  }
  // Field lines: any two-byte first token starting with F or f (F0..F9; F10 and up are ignored).
  if (first.size() == 2 && (first[0] == 'F' || first[0] == 'f')) {
    handlers_->titulos(tokens_, tokenCount_);
  }
}

}  // namespace quiral
