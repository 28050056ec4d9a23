#pragma once

#include <string>
#include <vector>

namespace quiral {

constexpr int kPathFails = 1;
constexpr int kBadArguments = 2;

// What the program's arguments ask for: `quiral [--lang en|pt_BR] [FOLDER|LIBRARY]`, `--version`,
// `--help`.
struct CommandLine {
  enum class Action { Run, PrintVersion, PrintHelp, Refuse };
  Action action = Action::Run;
  // Run: the folder to open instead of the default library folder (empty: the default), and the
  // library file in it to choose (empty: none). Absolute, as the program moves its current folder.
  std::string startFolder;
  std::string startLibrary;
  // The value of --lang ("en" or "pt_BR"), empty when not given: the environment decides.
  std::string language;
  // Refuse: what is wrong, and the exit status (kBadArguments, or kPathFails for a path that
  // does not exist or cannot be looked at).
  std::string message;
  int exitStatus = 0;
};

// Reads the arguments that follow the program name. Paths are checked here, so a mistyped one is
// refused before any window opens.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// "quiral <the build's version>" and the usage text, each ending in a line feed.
std::string versionText();
std::string usageText();

}  // namespace quiral
