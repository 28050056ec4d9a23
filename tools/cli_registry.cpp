#include "tools/cli_registry.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/text_codec.h"

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

std::string jsonString(std::string_view bytes) {
  std::string out = "\"";
  for (char c : displayText(bytes)) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + "\"";
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
