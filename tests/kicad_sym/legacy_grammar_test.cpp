// The translation's output read by the rules of KiCad's legacy reader: the small files of known
// faults here, every library of Debian's kicad-symbols in the corpus test.

#include "legacy_grammar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kicad_sym/library_translation.h"

namespace quiral {
namespace {

using testing::legacyGrammarErrors;

TEST(LegacyGrammar, TheCheckFindsWhatALegacyReaderRefuses) {
  const std::string bad =
      "DEF R R 0 0 N Y 1 F N\n"
      "F0 \"R\" 0 0 50 H V C CNN\n"
      "F1 \"2\"\" 0 0 50 H V C CNN\n"                 // a quote breaks the text
      "X \"~RESET/PF6 \" 18 0 0 100 R 50 50 1 1 B\n"  // a space inside a pin name
      "T 0 0 0 50 0 1 1 ~x Normal 0 C C\n"            // a tilde read as a space
      "P 2 1 1 0 0 0 10 10\n"                         // fine without its fill
      "S 0 0 10 10 1 1 0 Q\n";                        // no such fill
  const std::vector<std::string> errors = legacyGrammarErrors(bad);
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_EQ(errors[0].rfind("line 3: ", 0), 0u);
  EXPECT_EQ(errors[1].rfind("line 4: ", 0), 0u);
  EXPECT_EQ(errors[2].rfind("line 5: ", 0), 0u);
  EXPECT_EQ(errors[3].rfind("line 7: ", 0), 0u);
}

TEST(LegacyGrammar, EveryFaultFileTranslatesToLinesALegacyReaderTakes) {
  const std::filesystem::path folder =
      std::filesystem::path(QUIRAL_TEST_DATA_DIR) / "kicad_sym_faults";
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename() == "damaged.kicad_sym") continue;
    const TranslatedLibrary library = translateModernLibraryFile(entry.path().string());
    EXPECT_EQ(legacyGrammarErrors(library.libraryText), std::vector<std::string>{}) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 7u);
}

}  // namespace
}  // namespace quiral
