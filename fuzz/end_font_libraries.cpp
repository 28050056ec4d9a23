// Linked into every fuzz target: fontconfig and cairo are ended when the process exits, so the
// leak check at exit reports only what an input made the program forget.
#include "vector/font_libraries.h"

namespace {

// Runs before main, so the end of the font libraries is registered before anything uses them.
const bool kEnded = (quiral::endFontLibrariesAtExit(), true);

}  // namespace
