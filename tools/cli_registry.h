#pragma once

// The command table of quiral-cli. Each subcommand registers itself from its own source file:
//
//   namespace {
//   int runList(const std::vector<std::string>& args) { ... }
//   QUIRAL_CLI_COMMAND(list, "LIB", "Prints the component list.", runList);
//   }
//
// so adding a command never means editing a shared file.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quiral::cli {

struct CliCommand {
  const char* name;
  const char* usage;  // the arguments after the command name, e.g. "LIB NAME [--index N]"
  // Gets the arguments after the command name. Returns the exit status: 0 for success, 1 for a
  // failed operation. Throws UsageError for bad arguments (exit 2 with the usage).
  int (*run)(const std::vector<std::string>& args);
  const char* summary = "";
};

// Bad arguments: the command's usage is printed and the program exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every registered command, sorted by name.
std::vector<CliCommand> registeredCommands();
const CliCommand* findCommand(std::string_view name);

// Adds a command to the table when the program starts.
struct CliRegistrar {
  explicit CliRegistrar(const CliCommand& command);
};

// Writes bytes to standard output unchanged, followed by a line feed.
void printLine(std::string_view bytes);

// A JSON string: the bytes shown as text (UTF-8, or Windows-1252 when they are not UTF-8), with
// quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view bytes);

// Parses a non-negative decimal number without the locale; throws UsageError naming `what`.
size_t parseIndex(std::string_view text, const char* what);

}  // namespace quiral::cli

#define QUIRAL_CLI_COMMAND(id, usage, summary, run) \
  const ::quiral::cli::CliRegistrar quiralCliCommand_##id({#id, usage, run, summary})
