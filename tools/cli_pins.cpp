// The pins command: a component's pin table, as the window's "Pinos" tab shows it.

#include <algorithm>
#include <string>
#include <vector>

#include "library/alias_rows.h"
#include "library/library_browser.h"
#include "library/pin_table.h"
#include "tools/cli_registry.h"
#include "tools/cli_selection.h"

namespace quiral::cli {
namespace {

enum class PinFormat { Tsv, Csv, Json };

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string joined(const std::vector<std::string>& fields, PinFormat format) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += format == PinFormat::Csv ? "," : "\t";
    line += format == PinFormat::Csv ? csvField(fields[i]) : fields[i];
  }
  return line;
}

void printJson(const std::vector<PinRow>& pins) {
  const std::vector<std::string>& columns = pinTableColumns();
  printLine("[");
  for (size_t p = 0; p < pins.size(); ++p) {
    const std::vector<std::string> fields = pinRowFields(pins[p]);
    std::string object = "  {";
    for (size_t i = 0; i < fields.size(); ++i)
      object += (i ? ", " : "") + jsonString(columns[i]) + ": " + jsonString(fields[i]);
    printLine(object + (p + 1 < pins.size() ? "}," : "}"));
  }
  printLine("]");
}

// NAME may be a symbol or one of its aliases: an alias shows its symbol's pins.
bool selectSymbolOrAlias(LibraryBrowser& browser, const std::string& name,
                         const std::string& path) {
  ComponentList& list = browser.components();
  const std::vector<std::string>& entries = list.entries();
  if (std::find(entries.begin(), entries.end(), name) != entries.end())
    return selectNamedEntry(list, std::nullopt, name, path);
  for (const ComponentRow& row : componentRows(list.size(), browser.readAliases())) {
    if (row.isAlias() && row.alias == name) {
      list.select(int(row.component));
      return true;
    }
  }
  return selectNamedEntry(list, std::nullopt, name, path);
}

int runPins(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  PinFormat format = PinFormat::Tsv;
  for (const std::string& arg : args) {
    if (arg == "--csv")
      format = PinFormat::Csv;
    else if (arg == "--json")
      format = PinFormat::Json;
    else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0)
      throw UsageError("unknown option " + arg);
    else
      positional.push_back(arg);
  }
  if (positional.size() != 2) throw UsageError("expects a library file and a component name");
  LibraryBrowser browser;
  browser.B_carregarClick(positional[0]);
  if (!selectSymbolOrAlias(browser, positional[1], positional[0])) return 1;
  browser.ShowComponent();
  const std::vector<PinRow> pins = pinTable(browser.memo());
  if (format == PinFormat::Json) {
    printJson(pins);
    return 0;
  }
  printLine(joined(pinTableColumns(), format));
  for (const PinRow& pin : pins) printLine(joined(pinRowFields(pin), format));
  return 0;
}

}  // namespace

QUIRAL_CLI_COMMAND(pins, "LIB NAME [--csv|--json]",
                   "Prints the pins of component or alias NAME: number, name, electrical type, "
                   "shape, unit, body style, position, orientation and length, tab-separated "
                   "with a title line (--csv: comma-separated; --json: an array of objects).",
                   runPins);

}  // namespace quiral::cli
