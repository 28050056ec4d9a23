#pragma once

#include <string>
#include <vector>

namespace quiral {

// The folders tried, in order, as the library folder when the main window is first activated:
// "kicad/library" on the volume that holds the program, then the folder where KiCad installs its
// libraries on Linux.
std::vector<std::string> defaultLibraryFolders();

// "kicad/library" under the mount root of `programFolder`.
std::string libraryFolderOnVolumeOf(const std::string& programFolder);

}  // namespace quiral
