#pragma once

namespace quiral {

// fontconfig and cairo keep their configuration and font caches for the life of the process, and
// a few of fontconfig's blocks are then reachable only from its mapped cache files, where a leak
// checker does not look. A program that is their only user calls this once, early: both are
// ended at exit, after everything the program made with them, so that any block still held
// then is one the program forgot to give back.
//
// Never in the windowed program: Qt's font database shares fontconfig's configuration and ends
// it itself.
void endFontLibrariesAtExit();

}  // namespace quiral
