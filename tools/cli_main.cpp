// quiral-cli: the headless command-line tool. Runs the same core operations as the program's
// windows; each subcommand registers itself (see cli_registry.h).

#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "tools/cli_registry.h"
#include "vector/font_libraries.h"

namespace {

using quiral::cli::CliCommand;

void printUsage(std::FILE* out) {
  std::fputs(
      "usage: quiral-cli COMMAND [ARGUMENTS]\n       quiral-cli --help | --version\n\ncommands:\n",
      out);
  for (const CliCommand& command : quiral::cli::registeredCommands()) {
    std::fprintf(out, "  %s %s\n", command.name, command.usage);
    if (*command.summary) std::fprintf(out, "      %s\n", command.summary);
  }
}

// Output that could not be written (a full disk, a closed pipe) is a failure, not a success.
int finish(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("quiral-cli: cannot write the output\n", stderr);
    return status == 0 ? 1 : status;
  }
  return status;
}

int runCommand(const CliCommand& command, const std::vector<std::string>& args) {
  try {
    return command.run(args);
  } catch (const quiral::cli::UsageError& e) {
    std::fprintf(stderr, "quiral-cli %s: %s\nusage: quiral-cli %s %s\n", command.name, e.what(),
                 command.name, command.usage);
    return 2;
  } catch (...) {
    std::fprintf(stderr, "quiral-cli: %s\n", quiral::userMessage(std::current_exception()).c_str());
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // System messages (the text of a failed open) in the user's language, as the windows show them.
  // Numbers never go through the locale.
  std::setlocale(LC_ALL, "");
  // An interrupted run leaves no half-written output behind.
  quiral::removeTemporariesOnSignals();
  // What the font libraries keep for the process is given back at exit (checked for leaks).
  quiral::endFontLibrariesAtExit();
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    printUsage(stdout);
    return finish(0);
  }
  if (name == "--version") {
    std::fputs("quiral-cli " QUIRAL_VERSION "\n", stdout);
    return finish(0);
  }
  const CliCommand* command = quiral::cli::findCommand(name);
  if (!command) {
    std::fprintf(stderr, "quiral-cli: unknown command \"%s\"\n\n", argv[1]);
    printUsage(stderr);
    return 2;
  }
  return finish(runCommand(*command, std::vector<std::string>(argv + 2, argv + argc)));
}
