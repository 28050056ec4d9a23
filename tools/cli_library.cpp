// Library commands: the component list, one component's block, and the tokens of a line.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "library/alias_rows.h"
#include "library/library_browser.h"
#include "library/token_table.h"
#include "tools/cli_registry.h"
#include "tools/cli_selection.h"
#include "tools/cli_skipped.h"

namespace quiral::cli {
namespace {

// Splits arguments into positionals and the value of "--index"; anything else starting with
// "--" is refused.
struct BlockArguments {
  std::vector<std::string> positional;
  std::optional<size_t> index;
};

BlockArguments parseBlockArguments(const std::vector<std::string>& args) {
  BlockArguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--index") {
      if (i + 1 == args.size()) throw UsageError("--index needs a number");
      parsed.index = parseIndex(args[++i], "--index");
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      throw UsageError("unknown option " + arg);
    } else {
      parsed.positional.push_back(arg);
    }
  }
  return parsed;
}

int runList(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  bool withAliases = false;
  for (const std::string& arg : args) {
    if (arg == "--aliases")
      withAliases = true;
    else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0)
      throw UsageError("unknown option " + arg);
    else
      files.push_back(arg);
  }
  if (files.size() != 1) throw UsageError("expects one library file");
  LibraryBrowser browser;
  browser.B_carregarClick(files[0]);
  const ComponentList& list = browser.components();
  if (!withAliases) {
    for (const std::string& entry : list.entries()) printLine(entry);
  } else {
    // Each alias after its symbol, marked with the symbol it belongs to.
    for (const ComponentRow& row : componentRows(list.size(), browser.readAliases()))
      printLine(row.isAlias() ? row.alias + "\talias of " + list[row.component]
                              : list[row.component]);
  }
  return warnAboutSkippedSymbols(files[0], skippedSymbolsOf(browser)) > 0 ? 1 : 0;
}

int runBlock(const std::vector<std::string>& args) {
  BlockArguments parsed = parseBlockArguments(args);
  const size_t wanted = parsed.index ? 1 : 2;
  if (parsed.positional.size() != wanted && !(parsed.index && parsed.positional.size() == 2)) {
    throw UsageError("expects a library file and a component name, or --index N");
  }
  LibraryBrowser browser;
  browser.B_carregarClick(parsed.positional[0]);
  if (!selectNamedEntry(browser.components(), parsed.index,
                        parsed.positional.size() > 1 ? parsed.positional[1] : std::string(),
                        parsed.positional[0])) {
    return 1;
  }
  browser.ShowComponent();
  for (const std::string& line : browser.memo()) printLine(line);
  return 0;
}

// Control bytes and the backslash are written as \xHH so that every token stays on one line.
std::string escaped(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || c == '\\') {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int runTokens(const std::vector<std::string>& args) {
  if (args.size() != 1) throw UsageError("expects one line (quote it for the shell)");
  TokenTable table;
  const int count = TokenizeLine(table, args[0]);
  printLine(std::to_string(count));
  for (int i = 1; i <= count; ++i) {
    printLine(std::to_string(i) + "\t" + tokenKindName(table[i].kind) + "\t" +
              escaped(table[i].text));
  }
  return 0;
}

}  // namespace

QUIRAL_CLI_COMMAND(list, "LIB [--aliases]",
                   "Prints the component list, one entry per line, as listed; --aliases adds each "
                   "alias after its symbol as \"ALIAS<tab>alias of SYMBOL\".",
                   runList);
QUIRAL_CLI_COMMAND(block, "LIB NAME [--index N]",
                   "Prints the block of the first entry equal to NAME; --index N takes entry N "
                   "(from 0) instead, and NAME may then be left out.",
                   runBlock);
QUIRAL_CLI_COMMAND(tokens, "LINE",
                   "Tokenizes LINE: the count, then position, kind and text of each token.",
                   runTokens);

}  // namespace quiral::cli
