// Test entry point for widget tests: creates the QApplication (which takes the locale from the
// environment, as the program does) and checks that a comma-decimal locale asked for took effect.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Read by the leak checker of a sanitized build (and unused otherwise). Qt's font database keeps
// fontconfig's configuration until the process ends and ends it itself, so the windowed tests
// cannot end fontconfig at exit as the core's programs do (vector/font_libraries.h); a few of its
// blocks are referenced only from fontconfig's mapped cache files, where the checker does not
// look, and would read as leaks. Only these programs carry this suppression.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv) {
  // Test discovery runs the program without the tests' environment: never reach for a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  std::setlocale(LC_ALL, "");
  if (const char* expected = std::getenv("QUIRAL_EXPECT_LOCALE"); expected && *expected) {
    if (std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
      std::fprintf(stderr, "locale %s was asked for but did not take effect\n", expected);
      return 1;
    }
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
