// Linked into every fuzz target: fontconfig is started before any input, as the font engine
// starts it, and fontconfig and cairo are ended when the process exits, so that the leak checks
// between inputs and at exit report only what an input made the program forget.
#include "platform/font_engine.h"
#include "vector/font_libraries.h"

namespace {

// Runs before main: the end is registered before anything uses the font libraries.
const bool kEnded = (quiral::endFontLibrariesAtExit(), quiral::startFontconfig(), true);

}  // namespace
