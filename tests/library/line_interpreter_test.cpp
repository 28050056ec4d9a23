#include "library/line_interpreter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quiral {
namespace {

// Records every handler call with the count and the first two token texts it saw.
class RecordingHandlers : public RecordHandlers {
 public:
  std::vector<std::string> calls;

  void retangulo(const TokenTable& t, int n) override { record("retangulo", t, n); }
  void poligono(const TokenTable& t, int n) override { record("poligono", t, n); }
  void pino(const TokenTable& t, int n) override { record("pino", t, n); }
  void textos(const TokenTable& t, int n) override { record("textos", t, n); }
  void arco(const TokenTable& t, int n) override { record("arco", t, n); }
  void circulo(const TokenTable& t, int n) override { record("circulo", t, n); }
  void definicao(const TokenTable& t, int n) override { record("definicao", t, n); }
  void titulos(const TokenTable& t, int n) override { record("titulos", t, n); }
  void aliasLine(std::string_view line) override {
    calls.push_back("alias[" + std::string(line) + "]");
  }

 private:
  void record(const char* name, const TokenTable& t, int n) {
    calls.push_back(std::string(name) + " " + std::to_string(n) + " " + t.text(1) + "|" +
                    t.text(2));
  }
};

using Calls = std::vector<std::string>;

Calls dispatch(std::string_view line) {
  RecordingHandlers handlers;
  LineInterpreter interpreter(&handlers);
  interpreter.interpreta_linha(line);
  return handlers.calls;
}

TEST(InterpretaLinha, DispatchesOnTheFirstTokenInAnyCase) {
  EXPECT_EQ(dispatch("S -100 100 100 -100 0 1 10 f"), Calls{"retangulo 9 S|-100"});
  EXPECT_EQ(dispatch("s 0 0 1 1"), Calls{"retangulo 5 s|0"});
  EXPECT_EQ(dispatch("P 2 0 1 0 0 0 10 10 N"), Calls{"poligono 10 P|2"});
  EXPECT_EQ(dispatch("   X ~ 1 0 0 100 R 50 50 1 1 P"), Calls{"pino 12 X|~"});
  EXPECT_EQ(dispatch("x A 1"), Calls{"pino 3 x|A"});
  EXPECT_EQ(dispatch("T 900 0 0 50 0 1 1 text"), Calls{"textos 9 T|900"});
  EXPECT_EQ(dispatch("A 0 0 100 0 1800 0 1 0 N"), Calls{"arco 10 A|0"});
  EXPECT_EQ(dispatch("c 0 0 50 0 1 0 N"), Calls{"circulo 8 c|0"});
  EXPECT_EQ(dispatch("DEF R R 0 0 N Y 1 F N"), Calls{"definicao 10 DEF|R"});
  EXPECT_EQ(dispatch("dEf r"), Calls{"definicao 2 dEf|r"});
  // A quoted first token still names the record.
  EXPECT_EQ(dispatch("\"S\" 1 2"), Calls{"retangulo 3 S|1"});
}

TEST(InterpretaLinha, FieldLinesAreAnyTwoByteTokenStartingWithF) {
  EXPECT_EQ(dispatch("F0 \"U\" 0 -150 50 H V C CNN"), Calls{"titulos 9 F0|U"});
  EXPECT_EQ(dispatch("f1 \"R_Small\" 0 0 50 H V C CNN"), Calls{"titulos 9 f1|R_Small"});
  EXPECT_EQ(dispatch("F9 x"), Calls{"titulos 2 F9|x"});
  EXPECT_EQ(dispatch("Fz"), Calls{"titulos 1 Fz|"});
  EXPECT_EQ(dispatch("F0\"U\""), Calls{"titulos 2 F0|U"});
  EXPECT_EQ(dispatch("F12 \"x\" 0 0 50 H V C CNN"), Calls{});
  EXPECT_EQ(dispatch("F \"x\""), Calls{});
  EXPECT_EQ(dispatch("G0 \"x\""), Calls{});
}

TEST(InterpretaLinha, OtherLinesDoNothing) {
  for (const char* line : {"ENDDEF", "DRAW", "ENDDRAW", "$FPLIST", "  R_*", "# comment", "SS 0",
                           "S\t0 0 1 1", "ALIASES x", "   ", "\t"}) {
    EXPECT_EQ(dispatch(line), Calls{}) << line;
  }
}

TEST(InterpretaLinha, AliasPassesTheWholeLineAsReceived) {
  EXPECT_EQ(dispatch("ALIAS 74LS00 74HC00"), Calls{"alias[ALIAS 74LS00 74HC00]"});
  EXPECT_EQ(dispatch("  alias  a \"b c\"  "), Calls{"alias[  alias  a \"b c\"  ]"});
}

TEST(InterpretaLinha, EmptyLineKeepsTheTableButSpacesDoNot) {
  RecordingHandlers handlers;
  LineInterpreter interpreter(&handlers);
  interpreter.interpreta_linha("X A 1 0 0 100 R 50 50 1 1 I");
  interpreter.interpreta_linha("");
  EXPECT_EQ(interpreter.TokenCount(), 12);
  EXPECT_EQ(interpreter.tokens().text(12), "I");
  EXPECT_EQ(handlers.calls.size(), 1u);

  interpreter.interpreta_linha("  ");
  EXPECT_EQ(interpreter.TokenCount(), 0);
  EXPECT_EQ(interpreter.tokens().text(1), "");
  EXPECT_EQ(handlers.calls.size(), 1u);
}

TEST(InterpretaLinha, WorksWithoutHandlers) {
  LineInterpreter interpreter;
  interpreter.interpreta_linha("S 0 0 1 1 0 1 0 N");
  EXPECT_EQ(interpreter.TokenCount(), 9);
}

}  // namespace
}  // namespace quiral
