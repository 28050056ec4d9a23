#include "tools/cli_registry.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace quiral::cli {
namespace {

// A function-local table, so registrations from any file's static initialisers find it built.
std::vector<CliCommand>& table() {
  static std::vector<CliCommand> commands;
  return commands;
}

}  // namespace

CliRegistrar::CliRegistrar(const CliCommand& command) {
  table().push_back(command);
}

std::vector<CliCommand> registeredCommands() {
  std::vector<CliCommand> commands = table();
  std::sort(commands.begin(), commands.end(), [](const CliCommand& a, const CliCommand& b) {
    return std::string_view(a.name) < std::string_view(b.name);
  });
  return commands;
}

const CliCommand* findCommand(std::string_view name) {
  for (const CliCommand& command : table()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

void printLine(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
}

size_t parseIndex(std::string_view text, const char* what) {
  size_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw UsageError(std::string(what) + " must be a non-negative whole number, not \"" +
                     std::string(text) + "\"");
  }
  return value;
}

}  // namespace quiral::cli
