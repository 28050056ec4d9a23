#include "vector/font_libraries.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace quiral {

namespace {

extern "C" void endFontLibraries() {
  // cairo's font caches hold fontconfig patterns: they go first.
  cairo_debug_reset_static_data();
  FcFini();
}

}  // namespace

void endFontLibrariesAtExit() {
  // Handlers run in the reverse order of their registration: registered before any font or
  // surface exists, this one runs after every static object that holds one is gone.
  static const bool registered = std::atexit(endFontLibraries) == 0;
  (void)registered;
}

}  // namespace quiral
