// The catalog index command: the index of every library file of a folder, its name rows, or the
// block of the first name that begins with a given text.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog_index.h"
#include "library/folder_listing.h"
#include "tools/cli_registry.h"

namespace quiral::cli {
namespace {

struct IndexArguments {
  std::string folder;
  std::optional<std::string> prefix;
  int sortColumn = -1;  // the grid column whose title is clicked; -1 keeps the build's order
};

IndexArguments parseIndexArguments(const std::vector<std::string>& args) {
  IndexArguments parsed;
  bool haveFolder = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--find" || arg == "--sort") {
      if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--find") {
        parsed.prefix = value;
      } else if (value == "alias" || value == "lib") {
        parsed.sortColumn = value == "alias" ? 0 : 1;
      } else {
        throw UsageError("--sort takes alias or lib, not \"" + value + "\"");
      }
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      throw UsageError("unknown option " + arg);
    } else if (!haveFolder) {
      parsed.folder = arg;
      haveFolder = true;
    } else {
      throw UsageError("expects one folder");
    }
  }
  if (!haveFolder) throw UsageError("expects a folder");
  return parsed;
}

// The block's lines end in CR; each is printed as a line of its own.
void printCommands(std::string_view commands) {
  while (!commands.empty()) {
    const size_t end = commands.find('\r');
    printLine(commands.substr(0, end));
    if (end == std::string_view::npos) break;
    commands.remove_prefix(end + 1);
  }
}

int runIndex(const std::vector<std::string>& args) {
  const IndexArguments parsed = parseIndexArguments(args);
  FileList files;
  files.showFolder(parsed.folder);
  CatalogIndex index;
  index.BitBtn1Click(files);
  if (parsed.sortColumn >= 0) index.DBGrid2TitleClick(parsed.sortColumn);
  for (const std::string& skipped : index.skippedFiles()) {
    // A symbol left out says so itself; a file left out is named whole.
    const bool saysSo = std::string_view(skipped).ends_with("skipped)");
    std::fprintf(stderr, "quiral-cli index: warning: %s%s\n", skipped.c_str(),
                 saysSo ? "" : " (skipped)");
  }
  // The index of the other files is printed; the exit status still tells that one was skipped.
  const int status = index.skippedFiles().empty() ? 0 : 1;
  printLine("Modelos: " + std::to_string(index.modelCount()) +
            " Componentes: " + std::to_string(index.nameCount()));

  if (parsed.prefix) {
    if (!index.BitBtn2Click(*parsed.prefix)) {
      std::fprintf(stderr, "quiral-cli index: no name begins with \"%s\"\n",
                   parsed.prefix->c_str());
      return 1;
    }
    const std::optional<size_t> block = index.blockOfCurrentName();
    if (!block) {
      const MemoryTable& names = index.RxMD_principal();
      const std::string name(names.text(size_t(names.currentRow()), PrincipalField::alias));
      std::fprintf(stderr,
                   "quiral-cli index: \"%s\" has no block (an ALIAS line outside any DEF)\n",
                   name.c_str());
      return 1;
    }
    printCommands(index.RxMD_comp().text(*block, CompField::Comandos));
    return status;
  }
  const MemoryTable& names = index.RxMD_principal();
  for (size_t row = 0; row < names.RecordCount(); ++row) {
    std::string line(names.text(row, PrincipalField::alias));
    line += '\t';
    line += names.text(row, PrincipalField::lib);
    line += '\t';
    line += names.displayText(row, PrincipalField::nr_principal);
    printLine(line);
  }
  return status;
}

}  // namespace

QUIRAL_CLI_COMMAND(
    index, "DIR [--find PREFIX] [--sort alias|lib]",
    "Indexes every *.lib and *.kicad_sym of DIR: the counts, then every name with its library and "
    "model number; --find prints the block of the first name beginning with "
    "PREFIX (letter case ignored) instead; --sort orders the names as a click on "
    "that column's title does. A modern library that cannot be read as one is skipped with a "
    "warning naming its line and column, and the exit status is then 1.",
    runIndex);

}  // namespace quiral::cli
