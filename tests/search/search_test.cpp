// The facts read from libraries, and the matching and ranking rules of search_rules.h.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"
#include "search/facts_reader.h"
#include "search/symbol_search.h"
#include "search_fixture.h"

namespace quiral {
namespace {

SearchedLibrary legacyLibrary(const std::string& name, const char* lib, const char* dcm) {
  SearchedLibrary facts;
  facts.library = name;
  readLegacyFacts(lib, dcm, facts);
  return facts;
}

std::vector<SearchedLibrary> fixture() {
  std::vector<SearchedLibrary> libraries;
  libraries.push_back(legacyLibrary("Parts", testing::kPartsLib, testing::kPartsDcm));
  libraries.push_back(legacyLibrary("Optoelectronics", testing::kOptoLib, testing::kOptoDcm));
  return libraries;
}

std::string found(const SymbolSearch& search, const std::vector<SearchHit>& hits) {
  std::string names;
  for (const SearchHit& hit : hits) names += (names.empty() ? "" : " ") + search.facts(hit).name;
  return names;
}

TEST(SearchFacts, NamesAliasesDocumentationFiltersUnitsAndPins) {
  const SearchedLibrary parts = legacyLibrary("Parts", testing::kPartsLib, testing::kPartsDcm);
  ASSERT_EQ(parts.symbols.size(), 13u);
  const SearchedSymbol& lm358 = parts.symbols[0];
  EXPECT_EQ(lm358.name, "LM358");
  EXPECT_EQ(lm358.description, "Low-Power, Dual Operational Amplifiers");
  EXPECT_EQ(lm358.keywords, "dual opamp");
  EXPECT_EQ(lm358.footprintFilters, "SOIC*3.9x4.9mm* DIP*W7.62mm*");
  EXPECT_EQ(lm358.pinCount, 3);
  // Aliases follow their symbol and have their own documentation (the command-line tests check
  // that they share its units, pins and filters).
  EXPECT_EQ(parts.symbols[1].name, "LM2904");
  EXPECT_EQ(parts.symbols[1].aliasOf, "LM358");
  EXPECT_EQ(parts.symbols[1].description, "");
  EXPECT_EQ(parts.symbols[2].name, "MC1458");
  EXPECT_EQ(parts.symbols[2].description, "Dual op amp, DIP-8");
  // A hidden value's tilde is no part of the name: the documentation names it without.
  EXPECT_EQ(parts.symbols[5].name, "Logo_Open_Hardware_Large");
  EXPECT_EQ(parts.symbols[5].description, "Open Hardware logo, large");
}

TEST(SearchFacts, ModernLibrariesGiveDerivedSymbolsAndTheirTexts) {
  const TranslatedLibrary modern = translateModernLibrary(R"((kicad_symbol_lib (version 20211014)
  (symbol "Base" (property "Reference" "U" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (property "Value" "Base" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (property "ki_keywords" "amplifier" (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "ki_description" "Base part" (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (property "ki_fp_filters" "SOIC* TSSOP*" (at 0 0 0) (effects (font (size 1.27 1.27)) hide))
    (symbol "Base_1_1" (pin input line (at 0 0 0) (length 2.54)
      (name "A" (effects (font (size 1.27 1.27)))) (number "1" (effects (font (size 1.27 1.27)))))))
  (symbol "Derived" (extends "Base")
    (property "Value" "Derived" (at 0 0 0) (effects (font (size 1.27 1.27))))
    (property "Description" "Derived part" (at 0 0 0) (effects (font (size 1.27 1.27)) hide)))))");
  SearchedLibrary facts;
  readLegacyFacts(modern.libraryText, modern.documentationText, facts);
  ASSERT_EQ(facts.symbols.size(), 2u);
  EXPECT_EQ(facts.symbols[0].name, "Base");
  EXPECT_EQ(facts.symbols[0].footprintFilters, "SOIC* TSSOP*");
  EXPECT_EQ(facts.symbols[0].pinCount, 1);
  EXPECT_EQ(facts.symbols[1].name, "Derived");
  EXPECT_EQ(facts.symbols[1].aliasOf, "Base");
  EXPECT_EQ(facts.symbols[1].keywords, "amplifier");  // inherited from its root
  EXPECT_EQ(facts.symbols[1].description, "Derived part");
}

TEST(SearchFolding, CaseAccentsAndSeparatorsDoNotMatter) {
  struct Case {
    const char* text;
    const char* chars;
    const char* starts;
  };
  const Case cases[] = {
      {"USB_C-Receptacle", "usbcreceptacle", "10011000000000"},
      {"R\xc3\xa9sistance \xc3\x9c \xc3\x86on \xc3\x9f", "resistanceuaeonss", "10000000001100010"},
      {"\xc5\x81\xc3\xb3"
       "d\xc5\xba",
       "lodz", "1000"},                               // Łódź
      {"R\xe9sistance", "resistance", "1000000000"},  // Windows-1252
      {"10\xc2\xb5"
       "F \xce\xa9",
       "10uf\xce\xa9", "100010"},  // µ folds, Ω is kept
      {"\"*():^'+", "", ""},
  };
  for (const Case& c : cases) {
    const FoldedText folded = foldText(c.text);
    std::string starts;
    for (char s : folded.starts) starts += s ? '1' : '0';
    EXPECT_EQ(folded.chars, c.chars) << c.text;
    EXPECT_EQ(starts, c.starts) << c.text;
  }
}

TEST(SearchRanking, TiersOrderWithinThemAndSuggestions) {
  const SymbolSearch search(fixture());
  struct Case {
    const char* query;
    const char* names;  // every match, best first
  };
  const Case cases[] = {
      // exact > prefix > name word > keywords (shorter first, then library order) > description
      // > footprint filters > library name
      {"opto", "OPTO OPTO_SENSOR MOC_OPTO PC817 K8170 PC817_Long H11L1 CNY70 XYZ1"},
      {"OPTO", "OPTO OPTO_SENSOR MOC_OPTO PC817 K8170 PC817_Long H11L1 CNY70 XYZ1"},
      // separators, spaces and case do not matter
      {"usb c", "USB_C_Receptacle"},
      {"usbc", "USB_C_Receptacle"},
      {"lm 358", "LM358"},
      {"lm358", "LM358"},
      {"lm 35", "LM358"},
      // word prefixes, and substrings of three or more characters inside names only
      {"stm32f40", "STM32F407VETx"},
      {"407v", "STM32F407VETx"},
      {"40", ""},
      {"hardware large", "Logo_Open_Hardware_Large"},
      {"logo open", "Logo_Open_Hardware_Large"},
      // every word must match, each in its best field; the weakest decides
      {"dual amp", "LM358 MC1458"},
      {"optocoupler npn", "PC817_Long"},
      {"soic", "LM358 LM2904 MC1458"},
      {"opto xyz", "XYZ1"},
      {"dual xyz", ""},
      // accents
      {"resistance", "R\xc3\xa9sistance_\xc3\x9c"},
      {"R\xc3\x89SISTANCE-u", "R\xc3\xa9sistance_\xc3\x9c"},
      // what a search engine would read as syntax is plain text
      {"\"usb c\"", "USB_C_Receptacle"},
      {"usb*", "USB_C_Receptacle"},
      {"(lm358)", "LM358"},
      {"^opto:", "OPTO OPTO_SENSOR MOC_OPTO PC817 K8170 PC817_Long H11L1 CNY70 XYZ1"},
      {"'407v'", "STM32F407VETx"},
      {"lm358 AND", ""},
      {"NEAR", ""},
      {"lm358 OR opto", ""},
      {"- \" * ( ) : ^", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(found(search, search.search(c.query)), c.names) << c.query;
  EXPECT_EQ(found(search, search.search("opto", 3)), "OPTO OPTO_SENSOR MOC_OPTO");
  EXPECT_EQ(search.search("opto")[0].tier, MatchTier::ExactName);
  EXPECT_EQ(search.search("opto").back().tier, MatchTier::LibraryName);

  // Names one edit away (changed, added, removed) for one word of four characters or more.
  const Case near[] = {{"lm359", "LM358"}, {"lm3558", "LM358"}, {"stm32f47vetx", "STM32F407VETx"},
                       {"k8171", "K8170"}, {"oto", ""},         {"lm 359", ""},
                       {"zzzz", ""}};
  for (const Case& c : near) {
    ASSERT_TRUE(search.search(c.query).empty()) << c.query;
    EXPECT_EQ(found(search, search.suggestions(c.query)), c.names) << c.query;
  }
}

}  // namespace
}  // namespace quiral
