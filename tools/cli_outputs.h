#pragma once

#include <string>
#include <vector>

namespace quiral::cli {

// Refuses, before any work, an output that is one of the command's inputs: a library named on
// the command line or the documentation file beside it, also when reached through a symbolic or
// hard link. Throws QuiralError naming both.
void refuseOutputOverInput(const std::string& output, const std::vector<std::string>& libraries);

}  // namespace quiral::cli
