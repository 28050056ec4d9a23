// The catalog command: one of the two catalogs of a library, made as the window's commands make
// it but without a window, saved as a prepared report and/or as one PNG picture per page.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "pdf/export_qr.h"
#include "platform/font_engine.h"
#include "platform/png_writer.h"
#include "platform/text_codec.h"
#include "render/renderer.h"
#include "report_engine/report.h"
#include "reports/catalog_commands.h"
#include "reports/fine_catalog_run.h"
#include "reports/page_language.h"
#include "reports/qr_fig.h"
#include "reports/qr_lista.h"
#include "tools/cli_fine_catalog.h"
#include "tools/cli_outputs.h"
#include "tools/cli_pdf_export.h"
#include "tools/cli_registry.h"
#include "tools/png_write_queue.h"
#include "tools/vector_pictures.h"

namespace quiral::cli {
namespace {

// What the command is asked for; each output is optional, but one at least must be given.
struct CatalogArguments {
  std::vector<std::string> positional;
  std::optional<CatalogKind> kind;
  std::optional<std::string> qrp;
  std::optional<std::string> pngFolder;
  std::optional<std::string> pdf;
  bool fine = false;
  bool firstUnit = false;
  std::optional<LookName> look;
  // The pages' language: Portuguese, the designed pages, unless --lang says otherwise.
  std::optional<PageLanguage> language;

  bool anyOutput() const { return qrp || pngFolder || pdf; }
};

CatalogKind parseKind(const std::string& text) {
  if (text == "drawings") return CatalogKind::Drawings;
  if (text == "list") return CatalogKind::List;
  throw UsageError("--kind must be drawings or list, not \"" + text + "\"");
}

CatalogArguments parseCatalogArguments(const std::vector<std::string>& args) {
  CatalogArguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--kind") {
      parsed.kind = parseKind(value());
    } else if (arg == "--qrp") {
      parsed.qrp = value();
    } else if (arg == "--png") {
      parsed.pngFolder = value();
    } else if (arg == "-o") {
      parsed.pdf = value();
    } else if (arg == "--fine") {
      parsed.fine = true;
    } else if (arg == "--first-unit") {
      parsed.firstUnit = true;
    } else if (arg == "--look") {
      parsed.look = parseLookOption(value());
    } else if (arg == "--lang") {
      const std::string& name = value();
      parsed.language = pageLanguageNamed(name);
      if (!parsed.language) throw UsageError("--lang must be en or pt_BR, not \"" + name + "\"");
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg);
    } else {
      parsed.positional.push_back(arg);
    }
  }
  if (parsed.positional.size() != 1) throw UsageError("expects one library file");
  if (!parsed.kind) throw UsageError("needs --kind drawings or --kind list");
  if (!parsed.anyOutput()) throw UsageError("needs --qrp FILE, --png DIR or -o OUT");
  if (parsed.fine && (parsed.qrp || parsed.pngFolder || !parsed.pdf))
    throw UsageError("--fine writes only the PDF named by -o OUT");
  if (parsed.look && !parsed.fine)
    throw UsageError("--look applies only to --fine (the prepared pages keep their drawing)");
  if (parsed.firstUnit && !parsed.fine)
    throw UsageError("--first-unit applies only to --fine (the prepared pages show one unit)");
  return parsed;
}

// Tenths of a millimetre as millimetres with one decimal, without the locale.
std::string millimetres(int32_t tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// One line per cell that did not fit a whole column, so that no cut goes unnoticed.
void warnAboutCutCells(const TQuickRep& report, const ComponentList& list) {
  for (const CutBand& cut : report.cutBands()) {
    const std::string name =
        size_t(cut.record) < list.size() ? list[size_t(cut.record)] : std::string("?");
    std::fprintf(stderr,
                 "quiral-cli: warning: cell %d (%s) on page %d, column %d needs %s mm but a "
                 "column holds %s mm; it is cut at the column's bottom\n",
                 cut.record + 1, name.c_str(), cut.page, cut.column,
                 millimetres(cut.height).c_str(), millimetres(cut.room).c_str());
  }
}

void writePages(const TQRPrinter& printer, const std::string& folder) {
  std::filesystem::create_directories(folder);
  PngWriteQueue writer;
  for (int i = 1; i <= printer.pageCount(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "page-%03d.png", i);
    writer.push(std::move(*printer.pagePicture(i)),
                (std::filesystem::path(folder) / name).string());
  }
  writer.finish();
}

// No output may replace the library or its documentation: checked before any work.
void refuseOutputsOverInput(const CatalogArguments& parsed) {
  std::vector<std::string> libraries;
  if (std::filesystem::is_directory(parsed.positional[0])) {
    for (const std::string& path : fineCatalogLibraries(parsed.positional[0]))
      libraries.push_back(path);
  } else {
    libraries.push_back(parsed.positional[0]);
  }
  if (parsed.qrp) refuseOutputOverInput(*parsed.qrp, libraries);
  if (parsed.pdf)
    refuseOutputOverInput(parsed.fine ? *parsed.pdf : removeExtension(*parsed.pdf) + ".PDF",
                          libraries);
}

std::string counted(size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

int runCatalog(const std::vector<std::string>& args) {
  const CatalogArguments parsed = parseCatalogArguments(args);
  refuseOutputsOverInput(parsed);
  if (parsed.fine)
    return runFineCatalog(parsed.positional[0], *parsed.kind, *parsed.pdf, parsed.firstUnit,
                          parsed.look.value_or(LookName::KiCad),
                          parsed.language.value_or(PageLanguage::Portuguese));
  if (std::filesystem::is_directory(parsed.positional[0]))
    throw UsageError("a folder is catalogued only with --fine");
  const std::filesystem::path library(parsed.positional[0]);

  FontEngine fonts;
  Session session(fonts);
  CatalogCommands commands(session);
  TForm3 form3(commands.data());
  TQR_lista lista(commands.data());
  form3.QR_FIG.setFontEngine(fonts);
  lista.setFontEngine(fonts);
  commands.setReports(&form3, &lista);
  commands.data().language = parsed.language.value_or(PageLanguage::Portuguese);

  // As the file list loads a library: its folder and its file name.
  const std::string folder = library.has_parent_path() ? library.parent_path().string() : ".";
  session.browser.LoadLibrary(folder, library.filename().string());
  if (commands.runWithoutWindow(*parsed.kind) == CatalogCommands::Outcome::Refused) {
    // The window's refusal says no library is selected; here one was named, and it is empty.
    std::fprintf(stderr, "quiral-cli: %s: no components to catalog\n",
                 parsed.positional[0].c_str());
    return 1;
  }
  const TQuickRep& report = *commands.CurrentReport();
  warnAboutCutCells(report, session.browser.components());
  for (const std::string& name : commands.data().cutDescriptions)
    std::fprintf(stderr, "quiral-cli: warning: %s: description cut after %zu characters\n",
                 displayText(name).c_str(), kLongestShownText);
  if (parsed.qrp) report.qrPrinter().save(*parsed.qrp);
  if (parsed.pngFolder) writePages(report.qrPrinter(), *parsed.pngFolder);
  if (parsed.pdf && exportReportPdf(report, *parsed.pdf) != 0) return 1;
  printLine(parsed.positional[0] + ": " +
            counted(session.browser.components().size(), "component") + ", " +
            counted(size_t(report.qrPrinter().pageCount()), "page"));
  return 0;
}

QUIRAL_CLI_COMMAND(
    catalog,
    "LIB --kind drawings|list [--qrp FILE] [--png DIR] [-o OUT] [--lang en|pt_BR] | "
    "LIB|DIR --kind drawings|list --fine [--first-unit] [--look kicad|specified] "
    "[--lang en|pt_BR] -o OUT",
    "Makes the drawings or list catalog of a library, as the window's commands "
    "do; saves the prepared report (--qrp), each page as DIR/page-NNN.png, and/or "
    "a PDF named OUT with its extension made .PDF (printed on standard output); "
    "--lang en writes the pages' texts in English (default pt_BR, the designed pages). "
    "With --fine, writes instead the fine catalog to OUT as named: a vector PDF "
    "with searchable text and an outline of every symbol, of one library or of "
    "every library of a folder (each from a new page); a multi-unit symbol's "
    "drawing cell shows every unit, labelled A, B, ... (--first-unit: only the "
    "first; --look specified: the pictures as the view draws them, instead of "
    "as KiCad does); a library of the folder "
    "that cannot be read is named in a warning and skipped (exit status 1).",
    runCatalog);

}  // namespace
}  // namespace quiral::cli
