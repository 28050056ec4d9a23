// Fuzz target: splits the input into lines, tokenizes each line and dispatches it, with handlers
// that read every token position, including the ones just outside 1..300.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/line_interpreter.h"
#include "library/token_table.h"
#include "platform/line_reader.h"

namespace {

using namespace quiral;

void check(bool condition) {
  if (!condition) __builtin_trap();
}

// Reads every position a record handler could ask for and checks what the table promises.
size_t readAll(const TokenTable& table, int count) {
  check(count >= 0 && count <= TokenTable::kSize);
  size_t bytes = 0;
  for (int i = 0; i <= TokenTable::kSize + 1; ++i) {
    const Token& token = table[i];
    bytes += token.text.size();
    const bool stored = i >= 1 && i <= count;
    check(stored || (token.text.empty() && token.kind == TokenKind::Empty));
    check(!stored || token.kind != TokenKind::Empty);
  }
  return bytes;
}

class ReadingHandlers : public RecordHandlers {
 public:
  size_t bytes = 0;
  void retangulo(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void poligono(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void pino(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void textos(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void arco(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void circulo(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void definicao(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void titulos(const TokenTable& t, int n) override { bytes += readAll(t, n); }
  void aliasLine(std::string_view line) override { bytes += line.size(); }
};

std::vector<std::string> splitInChunks(std::string_view text, size_t chunk) {
  LineSplitter splitter;
  std::vector<std::string> lines;
  for (size_t i = 0; i < text.size(); i += chunk) {
    if (!splitter.feed(text.substr(i, chunk), lines)) break;
  }
  std::string last;
  if (splitter.finish(last)) lines.push_back(last);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = splitInChunks(text, text.size() + 1);
  // Where the text is cut into pieces must not change the lines.
  check(splitInChunks(text, size % 7 + 1) == lines);
  // The buffered reader that serves every text file cuts the same lines.
  TextFileReader reader(TextFileReader::InMemory{}, text);
  check(readAllLines(reader) == lines);

  // One interpreter with its token table for the whole run, as in the program.
  static ReadingHandlers handlers;
  static LineInterpreter interpreter(&handlers);
  for (const std::string& line : lines) {
    interpreter.interpreta_linha(line);
    readAll(interpreter.tokens(), interpreter.TokenCount());
  }
  return 0;
}
