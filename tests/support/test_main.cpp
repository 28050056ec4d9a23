// Test entry point: takes the locale from the environment, as a program would, so the suite can be
// run a second time under a comma-decimal locale and catch locale-dependent number handling.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vector/font_libraries.h"

int main(int argc, char** argv) {
  const char* taken = std::setlocale(LC_ALL, "");
  if (const char* expected = std::getenv("QUIRAL_EXPECT_LOCALE"); expected && *expected) {
    if (!taken || std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
      std::fprintf(stderr, "locale %s was asked for but did not take effect\n", expected);
      return 1;
    }
  }
  // The leak checker then sees what the tests forgot, not the font libraries' own caches.
  quiral::endFontLibrariesAtExit();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
