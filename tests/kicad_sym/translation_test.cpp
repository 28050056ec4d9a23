#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"

namespace quiral {
namespace {

using Lines = std::vector<std::string>;

TranslatedLibrary translate(const std::string& symbols) {
  return translateModernLibrary("(kicad_symbol_lib (version 20211014) (generator test)\n" +
                                symbols + "\n)");
}

Lines linesOf(const std::string& text) {
  Lines lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// The block of `name` from its DEF line to its ENDDEF line.
Lines block(const TranslatedLibrary& library, const std::string& name) {
  Lines out;
  bool inside = false;
  for (const std::string& line : linesOf(library.libraryText)) {
    if (line.rfind("DEF " + name + " ", 0) == 0 || line.rfind("DEF ~" + name + " ", 0) == 0)
      inside = true;
    if (inside) out.push_back(line);
    if (inside && line == "ENDDEF") break;
  }
  return out;
}

// The lines between DRAW and ENDDRAW of the only block.
Lines drawing(const TranslatedLibrary& library) {
  Lines out;
  bool inside = false;
  for (const std::string& line : linesOf(library.libraryText)) {
    if (line == "ENDDRAW") break;
    if (inside) out.push_back(line);
    inside = inside || line == "DRAW";
  }
  return out;
}

Lines drawingOf(const std::string& items) {
  return drawing(translate("(symbol \"S\" (symbol \"S_1_1\" " + items + "))"));
}

TEST(Translation, HeaderFieldsAndDocumentationOfKiCad6) {
  const TranslatedLibrary lib = translate(R"(
  (symbol "74LS00" (pin_numbers hide) (pin_names (offset 1.016) hide) (in_bom yes)
    (property "Reference" "U" (id 0) (at 0 1.27 0) (effects (font (size 1.27 1.27))))
    (property "Value" "74LS00" (id 1) (at 0 -1.27 90)
      (effects (font (size 1.524 1.524) italic bold) (justify left bottom)))
    (property "Footprint" "Package_DIP:DIP-14" (id 2) (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "Datasheet" "~" (id 3) (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "ki_locked" "" (id 4) (at 0 0 0) (effects (font (size 1.27 1.27))))
    (property "ki_keywords" "TTL nand" (id 5) (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "ki_description" "quad NAND\ngate" (id 6) (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "ki_fp_filters" "DIP*W7.62mm*  SO14*" (id 7) (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "Sim \"Model\"" "a b" (id 8) (at 2.54 0 0) (effects (font (size 1.27 1.27)) (justify right)))
    (symbol "74LS00_5_0" (pin power_in line (at 0 12.7 270) (length 5.08)
      (name "VCC" (effects (font (size 1.27 1.27)))) (number "14" (effects (font (size 1.27 1.27))))))
  ))");
  EXPECT_EQ(
      block(lib, "74LS00"),
      (Lines{"DEF 74LS00 U 0 40 N N 5 L N", "F0 \"U\" 0 50 50 H V C CNN",
             "F1 \"74LS00\" 0 -50 60 V V L BIB", "F2 \"Package_DIP:DIP-14\" 0 0 50 H I C CNN",
             "F3 \"\" 0 0 50 H I C CNN", "F4 \"a b\" 100 0 50 H V R CNN \"Sim \\\"Model\\\"\"",
             "$FPLIST", " DIP*W7.62mm*", " SO14*", "$ENDFPLIST", "DRAW",
             "X VCC 14 0 500 200 D 50 50 5 0 W", "ENDDRAW", "ENDDEF"}));
  EXPECT_EQ(lib.documentationText,
            "EESchema-DOCLIB  Version 2.0\n#\n$CMP 74LS00\nD quad NAND gate\nK TTL nand\nF ~\n"
            "$ENDCMP\n#\n#End Doc Library\n");
  EXPECT_EQ(
      lib.libraryText.rfind("EESchema-LIBRARY Version 2.4\n#encoding utf-8\n#\n# 74LS00\n#\n", 0),
      0u);
  EXPECT_TRUE(lib.warnings.empty());
}

TEST(Translation, LaterSyntaxHiddenValuePowerAndDefaults) {
  const TranslatedLibrary lib = translate(R"(
  (symbol "GND" (power global) (pin_numbers (hide yes)) (pin_names (offset 0) (hide yes))
    (exclude_from_sim no) (some_future_token (with "stuff"))
    (property "Reference" "#PWR" (at 0 -6.35 0) (hide yes) (effects (font (size 1.27 1.27))))
    (property "Value" "GND" (at 0 -3.81 0) (effects (font (size 1.27 1.27)) (hide yes)))
    (property "Description" "ground" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (property "ki_description" "older text" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (symbol "GND_1_1" (pin power_in line (at 0 0 270) (length 0) (hide yes)
      (name "" (effects (font (size 1.27 1.27)))) (number "" (effects (font (size 1.27 1.27)))))))
  (symbol "X")
  )");
  EXPECT_EQ(block(lib, "GND"),
            (Lines{"DEF ~GND #PWR 0 0 N N 1 F P", "F0 \"#PWR\" 0 -250 50 H I C CNN",
                   "F1 \"GND\" 0 -150 50 H I C CNN", "F2 \"\" 0 0 50 H I C CNN",
                   "F3 \"\" 0 0 50 H I C CNN", "DRAW", "X ~ ~ 0 0 0 D 50 50 1 1 W N", "ENDDRAW",
                   "ENDDEF"}));
  // A symbol without properties still gets every field line, and the default pin-name offset.
  EXPECT_EQ(block(lib, "X")[0], "DEF X ~ 0 20 Y Y 1 F N");
  EXPECT_EQ(block(lib, "X")[2], "F1 \"X\" 0 0 50 H V C CNN");
  EXPECT_NE(lib.documentationText.find("$CMP GND\nD ground\n$ENDCMP"), std::string::npos);
}

TEST(Translation, GraphicRecordsWithTheirFills) {
  EXPECT_EQ(drawingOf(R"(
    (rectangle (start -2.54 5.08) (end 2.54 -5.08) (stroke (width 0.254)) (fill (type background)))
    (circle (center 0 0) (radius 2.54) (stroke (width 0) (type default)) (fill (type outline)))
    (polyline (pts (xy 0 0) (xy 1.27 1.27) (xy 2.54 0)) (stroke (width 0.1524)) (fill (type none)))
    (polyline (pts (xy 0 0) (xy 1 1)) (fill (type color) (color 1 2 3 1)))
    (image (at 0 0) (data "abc"))
  )"),
            (Lines{"C 0 0 100 1 1 0 F", "S -100 200 100 -200 1 1 10 f",
                   "P 3 1 1 6 0 0 50 50 100 0 N", "P 2 1 1 0 0 0 39 39 f"}));
}

TEST(Translation, BezierBecomesAPolylineThroughItsEnds) {
  const Lines lines = drawingOf(
      "(bezier (pts (xy 0 0) (xy 0 2.54) (xy 2.54 2.54) (xy 2.54 0)) (fill (type none)))");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("P 17 1 1 0 0 0 ", 0), 0u);
  EXPECT_NE(lines[0].find(" 50 75 "), std::string::npos);  // the curve's middle
  EXPECT_EQ(lines[0].substr(lines[0].size() - 8), " 100 0 N");
}

TEST(Translation, TextsQuotedOverbarredAndSplitAtLineEnds) {
  EXPECT_EQ(
      drawingOf(R"(
    (text "A" (at 0 0.635 0) (effects (font (size 2.54 2.54))))
    (text "up" (at 1.27 0 900) (effects (font (size 1.27 1.27)) (justify left)))
    (text "down" (at 0 0 2700) (effects (font (size 1.27 1.27) italic) hide))
    (text "tilted" (at 0 0 675) (effects (font (size 1.27 1.27))))
    (text "two words \"q\"" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (text "~{RESET}/x" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (text "one\ntwo" (at 0 0 0) (effects (font (size 1.27 1.27))))
  )"),
      (Lines{"T 0 0 25 100 0 1 1 A Normal 0 C C", "T 900 50 0 50 0 1 1 up Normal 0 L C",
             "T 2700 0 0 50 1 1 1 down Italic 0 C C", "T 675 0 0 50 0 1 1 tilted Normal 0 C C",
             "T 0 0 0 50 0 1 1 \"two words \\\"q\\\"\" Normal 0 C C",
             "T 0 0 0 50 0 1 1 \"~RESET~/x\" Normal 0 C C", "T 0 0 40 50 0 1 1 one Normal 0 C C",
             "T 0 0 -40 50 0 1 1 two Normal 0 C C"}));
}

// The size runs from the corner in the file's axes: a positive height rises above it.
TEST(Translation, TextBoxBecomesItsFrameAndItsText) {
  EXPECT_EQ(drawingOf(R"(
    (text_box "note" (at -5.08 2.54 0) (size 10.16 5.08) (stroke (width 0)) (fill (type none))
      (effects (font (size 1.27 1.27))))
  )"),
            (Lines{"T 0 -175 275 50 0 1 1 note Normal 0 L T", "S -200 300 200 100 1 1 0 N"}));
}

TEST(Translation, PinTypesShapesAndNames) {
  struct Case {
    const char* type;
    const char* shape;
    const char* letters;
  };
  const Case cases[] = {
      {"input", "line", "I"},
      {"output", "inverted", "O I"},
      {"bidirectional", "clock", "B C"},
      {"tri_state", "inverted_clock", "T IC"},
      {"passive", "input_low", "P L"},
      {"free", "clock_low", "U CL"},
      {"unspecified", "output_low", "U V"},
      {"power_in", "edge_clock_high", "W F"},
      {"power_out", "non_logic", "w X"},
      {"open_collector", "line", "C"},
      {"open_emitter", "line", "E"},
      {"no_connect", "line", "N"},
  };
  for (const Case& c : cases) {
    const std::string pin = std::string("(pin ") + c.type + " " + c.shape +
                            " (at -7.62 2.54 0) (length 2.54) (name \"~{CS} A\" (effects (font "
                            "(size 1 1)))) (number \"1\" (effects (font (size 1.27 1.27)))))";
    EXPECT_EQ(drawingOf(pin),
              Lines{std::string("X ~CS~_A 1 -300 100 100 R 50 39 1 1 ") + c.letters});
  }
  EXPECT_EQ(drawingOf("(pin input inverted (at 0 0 90) (length 2.54) hide (name \"~\") (number "
                      "\"A1\"))(pin input line (at 0 0 180) (length 2.54) (name \"x\") (number "
                      "\"2\"))"),
            (Lines{"X ~ A1 0 0 100 U 50 50 1 1 I NI", "X x 2 0 0 100 L 50 50 1 1 I"}));
}

TEST(Translation, UnitsAndBodyStylesInLegacyOrder) {
  const TranslatedLibrary lib = translate(R"(
  (symbol "OPA_2_3"
    (symbol "OPA_2_3_2_1" (pin input line (at 0 0 0) (length 2.54) (name "B") (number "5")))
    (symbol "OPA_2_3_1_2" (polyline (pts (xy 0 0) (xy 1 0))) (pin input line (at 0 0 0) (length 2.54) (name "A") (number "3")))
    (symbol "OPA_2_3_1_1" (pin input line (at 0 0 0) (length 2.54) (name "A") (number "2"))
      (polyline (pts (xy 0 0) (xy 0 1))))
    (symbol "OPA_2_3_0_1" (circle (center 0 0) (radius 1)) (rectangle (start 0 0) (end 1 1))))
  (symbol "Broken" (symbol "Broken_x" (circle (center 0 0) (radius 1)))))");
  EXPECT_EQ(block(lib, "OPA_2_3")[0], "DEF OPA_2_3 ~ 0 20 Y Y 2 F N");
  EXPECT_EQ(drawing(lib), (Lines{"C 0 0 39 0 1 0 N", "S 0 0 39 39 0 1 0 N", "P 2 1 1 0 0 0 0 39 N",
                                 "P 2 1 2 0 0 0 39 0 N", "X A 2 0 0 100 R 50 50 1 1 I",
                                 "X B 5 0 0 100 R 50 50 2 1 I", "X A 3 0 0 100 R 50 50 1 2 I"}));
  ASSERT_EQ(lib.warnings.size(), 1u);
  EXPECT_EQ(lib.warnings[0],
            "line 9, column 20: the unit symbol \"Broken_x\" does not end in _UNIT_STYLE "
            "(symbol \"Broken\" skipped)");
}

TEST(Translation, UnitNamesAreKeptBesideTheBlock) {
  const TranslatedLibrary lib = translate(R"(
  (symbol "Relay"
    (symbol "Relay_1_1" (unit_name "Coil") (rectangle (start 0 0) (end 1 1)))
    (symbol "Relay_3_1" (unit_name "Contact B") (rectangle (start 0 0) (end 1 1))))
  (symbol "Plain" (symbol "Plain_1_1" (rectangle (start 0 0) (end 1 1)))))");
  ASSERT_FALSE(block(lib, "Relay").empty());
  ASSERT_EQ(lib.unitNames.count("Relay"), 1u);
  EXPECT_EQ(lib.unitNames.at("Relay"), (Lines{"Coil", "", "Contact B"}));
  EXPECT_EQ(lib.unitNames.count("Plain"), 0u);
}

TEST(Translation, HugeNumbersSkipTheSymbolWithAWarning) {
  const TranslatedLibrary lib = translate(R"(
  (symbol "Big" (symbol "Big_1_1" (circle (center 1e300 0) (radius 1))))
  (symbol "Short" (symbol "Short_1_1" (rectangle (start 0 0))))
  (symbol "Ok"))");
  ASSERT_EQ(lib.warnings.size(), 2u);
  EXPECT_EQ(lib.warnings[0], "line 3, column 51: a value out of range (symbol \"Big\" skipped)");
  EXPECT_EQ(lib.warnings[1],
            "line 4, column 39: (rectangle ...) lacks (end ...) (symbol \"Short\" skipped)");
  EXPECT_EQ(lib.blockCount, 1u);
}

TEST(Translation, DerivedSymbolsBecomeAliasesWithTheirOwnEntries) {
  const std::string props = R"(
    (property "Reference" "U" (at 0 1.27 0) (effects (font (size 1.27 1.27))))
    (property "Value" "%s" (at 0 -1.27 0) (effects (font (size 1.27 1.27))))
    (property "Footprint" "%f" (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "Datasheet" "%d" (at 0 0 0) (effects (font (size 1.27 1.27)) hide)))";
  auto symbol = [&](std::string name, std::string extra, std::string footprint,
                    std::string datasheet) {
    std::string p = props;
    p.replace(p.find("%s"), 2, name);
    p.replace(p.find("%f"), 2, footprint);
    p.replace(p.find("%d"), 2, datasheet);
    return "(symbol \"" + name + "\" " + extra + p + ")\n";
  };
  const TranslatedLibrary lib = translate(
      symbol("7400", "(extends \"74LS00\") (property \"ki_description\" \"own text\")", "", "d1") +
      symbol("74LS00", "(property \"ki_description\" \"root text\")", "", "d0") +
      symbol("7401", "(extends \"7400\")", "DIP:14", "") +
      symbol("Lost", "(extends \"Missing\")", "", "") + symbol("Me", "(extends \"Me\")", "", ""));
  EXPECT_EQ(block(lib, "74LS00")[5], "ALIAS 7400 7401");
  EXPECT_EQ(lib.blockCount, 3u);
  EXPECT_EQ(lib.aliasCount, 2u);
  EXPECT_NE(lib.documentationText.find("$CMP 7400\nD own text\nF d1\n$ENDCMP"), std::string::npos);
  // 7401 states no description: its root's.
  EXPECT_NE(lib.documentationText.find("$CMP 7401\nD root text\n$ENDCMP"), std::string::npos);
  EXPECT_EQ(lib.warnings,
            (Lines{"line 17, column 1: \"Lost\" derives from \"Missing\", which is not in the "
                   "library; it is written as a symbol of its own",
                   "line 22, column 1: \"Me\" derives from \"Me\", which is part of a loop; it is "
                   "written as a symbol of its own",
                   "line 12, column 1: \"7401\" becomes an alias of \"74LS00\", which cannot hold "
                   "its own footprint \"DIP:14\""}));
}

TEST(Translation, NotASymbolLibraryIsAnError) {
  EXPECT_THROW(translateModernLibrary("(kicad_sch (version 1))"), SexprError);
  EXPECT_THROW(translateModernLibrary(""), SexprError);
  EXPECT_THROW(translateModernLibrary("(kicad_symbol_lib (symbol \"A\""), SexprError);
  EXPECT_TRUE(isModernLibraryName("/x/Device.KiCad_Sym"));
  EXPECT_FALSE(isModernLibraryName("Device.lib"));
}

}  // namespace
}  // namespace quiral
