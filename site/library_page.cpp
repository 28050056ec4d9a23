// One library's page: its symbols in list order, each drawn unit by unit into SVG files.

#include "site/library_page.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "library/find_description.h"
#include "library/library_browser.h"
#include "library/text_words.h"
#include "platform/error.h"
#include "platform/line_reader.h"
#include "platform/regular_file.h"
#include "platform/text_codec.h"
#include "render/symbol_units.h"
#include "site/html_text.h"
#include "site/pin_script.h"
#include "site/site_folder.h"
#include "site/site_names.h"
#include "site/site_writer.h"
#include "site/symbol_html.h"
#include "vector/picture_frame.h"
#include "vector/svg_writer.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

// CSS pixels per library unit (100 mils, KiCad's grid, is 25 pixels) and the picture's margin.
constexpr double kPixelsPerUnit = 0.25;
constexpr double kPictureMargin = 25;

// A documentation text's entries, read once: upper-cased name -> its first entry.
class DocumentationIndex {
 public:
  explicit DocumentationIndex(TextFileReader& lines) {
    DocumentationEntry* open = nullptr;
    std::string_view line;
    while (lines.nextLine(line)) {
      const FirstWords words = firstTwoWords(line);
      const std::string_view keyword = trimControl(words.first);
      if (equalsUpper(keyword, "$CMP")) {
        const auto [entry, added] = entries_.try_emplace(toUpperAscii(trimControl(words.second)));
        open = added ? &entry->second : nullptr;
      } else if (equalsUpper(keyword, "$ENDCMP")) {
        open = nullptr;
      } else if (open && (keyword == "D" || keyword == "K" || keyword == "F")) {
        const size_t start = line.find_first_not_of(" \t", 1);
        // Bounded as every shown text is: a page lays it out.
        std::string value = boundedLibraryText(
            std::string(start == std::string_view::npos ? "" : line.substr(start)));
        (keyword == "D"   ? open->description
         : keyword == "K" ? open->keywords
                          : open->datasheet) = std::move(value);
      }
    }
  }
  DocumentationIndex() = default;

  DocumentationEntry find(std::string_view name) const {
    DocumentationEntry found;
    lookUpWithHiddenValue(name, [&](const std::string& wanted) {
      const auto it = entries_.find(wanted);
      if (it == entries_.end()) return std::string();
      found = it->second;
      return std::string("found");
    });
    return found;
  }

 private:
  std::unordered_map<std::string, DocumentationEntry> entries_;
};

DocumentationIndex documentationOf(const LibraryBrowser& browser, const std::string& path) {
  if (const auto translation = browser.modernTranslation()) {
    TextFileReader lines(TextFileReader::InMemory{}, translation->documentationText);
    return DocumentationIndex(lines);
  }
  const std::filesystem::path file(path);
  const std::string docPath = joinPath(file.has_parent_path() ? file.parent_path().string() : ".",
                                       documentationFileName(file.filename().string()));
  if (!regularFileStamp(docPath)) return {};
  TextFileReader lines(docPath);
  return DocumentationIndex(lines);
}

std::string withoutTilde(std::string_view name) {
  if (name.size() > 1 && name.front() == '~') name.remove_prefix(1);
  return std::string(name);
}

// The names the block's ALIAS lines give, in order.
std::vector<std::string> aliasesOf(const std::vector<std::string>& block) {
  std::vector<std::string> aliases;
  for (const std::string& line : block) {
    if (!equalsUpper(keywordOf(line), "ALIAS")) continue;
    std::string_view rest = trimControl(line);
    rest.remove_prefix(std::min(rest.size(), size_t(5)));
    while (!rest.empty()) {
      rest = trimControl(rest);
      const size_t end = std::min(rest.find(' '), rest.size());
      if (end > 0) aliases.push_back(withoutTilde(rest.substr(0, end)));
      rest.remove_prefix(end);
    }
  }
  return aliases;
}

class PageBuilder {
 public:
  PageBuilder(SiteFolder& folder, SymbolRecorder& recorder, const LibraryPlace& place)
      : folder_(folder), recorder_(recorder), place_(place) {}

  SiteSymbol readSymbol(const LibraryBrowser& browser, const DocumentationIndex& docs) {
    const std::vector<std::string>& block = browser.memo();
    const std::string name = withoutTilde(browser.components().selectedEntry());
    const std::vector<std::string> unitNames = browser.shownUnitNames();
    SiteSymbol symbol;
    symbol.properties = describeSymbol(block, {}, place_.name, docs.find(name), unitNames);
    symbol.properties.name = name;
    symbol.anchor = claimAnchor(name);
    for (const std::string& alias : aliasesOf(block))
      symbol.aliases.push_back({alias, claimAnchor(alias), docs.find(alias)});
    symbol.pins = pinTable(block);
    pins.add(symbol.anchor, symbol.pins);
    drawUnits(block, unitNames, symbol);
    return symbol;
  }

  LibraryPageResult result;
  PinScript pins;

 private:
  std::string claimAnchor(const std::string& name) {
    const std::string anchor = anchors_.claim(anchorOf(name));
    result.anchors.try_emplace(name, anchor);
    return anchor;
  }

  SitePicture writePicture(const DisplayList& list, const std::string& stem, int unit, int style,
                           bool single) {
    std::string file = place_.pictureFolder + "/" + stem;
    if (!single) file += "." + unitLetters(unit);
    if (style == 2) file += ".dm";
    file += ".svg";
    folder_.write(file, symbolSvg(list, kPictureMargin, SvgForm::Compact));
    const PictureBox box = pictureBox(list, kPictureMargin);
    return {file, std::max(1L, std::lround(box.width * kPixelsPerUnit)),
            std::max(1L, std::lround(box.height * kPixelsPerUnit))};
  }

  void drawUnits(const std::vector<std::string>& block, const std::vector<std::string>& unitNames,
                 SiteSymbol& symbol) {
    const SymbolUnits units = describeUnits(block);
    const std::string stem = stems_.claim(fileStem(symbol.properties.name));
    const bool single = units.count <= 1;
    for (int unit = 1; unit <= std::max(1, units.count); ++unit) {
      SiteUnit shown;
      if (!single) shown.label = unitLabel(unit, unitNames);
      shown.normal = writePicture(recorder_.record(block, {unit, 1}), stem, unit, 1, single);
      if (units.hasDeMorgan)
        shown.deMorgan = writePicture(recorder_.record(block, {unit, 2}), stem, unit, 2, single);
      symbol.units.push_back(std::move(shown));
    }
  }

  SiteFolder& folder_;
  SymbolRecorder& recorder_;
  const LibraryPlace& place_;
  UniqueNames anchors_{false};
  UniqueNames stems_;
};

std::string countText(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string pageHead(const std::string& title, const std::string& description) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  appendHtml(html, title);
  html += "</title>\n<meta name=\"description\" content=\"";
  appendHtml(html, description);
  html +=
      "\">\n<meta name=\"generator\" content=\"Quiral\">\n"
      "<link rel=\"stylesheet\" href=\"style.css\">\n"
      "<script src=\"site.js\" defer></script>\n</head>\n<body>\n";
  return html;
}

std::string pageSearchBox() {
  return "<div class=\"search\" role=\"search\"><label for=\"search\">Search every "
         "symbol</label><input id=\"search\" type=\"search\" autocomplete=\"off\" "
         "spellcheck=\"false\" placeholder=\"name, keywords, description, footprint\" "
         "role=\"combobox\" aria-autocomplete=\"list\" aria-expanded=\"false\" "
         "aria-controls=\"results\"><ul id=\"results\" role=\"listbox\" aria-label=\"Results\" "
         "hidden></ul><p id=\"search-status\" class=\"status\" aria-live=\"polite\"></p></div>\n";
}

std::string pageEnd() {
  return "</body>\n</html>\n";
}

LibraryPageResult writeLibraryPage(SiteFolder& folder, SymbolRecorder& recorder,
                                   const LibraryPlace& place, const std::string& siteTitle,
                                   const SymbolProgress& progress) {
  LibraryBrowser browser;
  const std::filesystem::path file(place.path);
  browser.LoadLibrary(file.has_parent_path() ? file.parent_path().string() : ".",
                      file.filename().string());
  const size_t total = browser.components().size();
  if (total == 0) throw QuiralError(place.path + ": no symbols");
  const DocumentationIndex docs = documentationOf(browser, place.path);

  PageBuilder builder(folder, recorder, place);
  if (const auto translation = browser.modernTranslation())
    builder.result.skippedSymbols = translation->skippedSymbols;
  folder.makeFolder(place.pictureFolder);
  std::string body;
  for (size_t i = 0; i < total; ++i) {
    browser.components().select(int(i));
    browser.ShowComponent();
    appendSymbolSection(body, builder.readSymbol(browser, docs));
    if (progress && !progress(i + 1, total)) throw SiteCancelled();
  }
  builder.result.symbols = total;

  std::string html = pageHead(place.name + " — " + siteTitle,
                              place.name + ": " + countText(total, "symbol", "symbols"));
  html += "<header><nav><a href=\"index.html\">";
  appendHtml(html, siteTitle);
  html += "</a></nav><h1>";
  appendHtml(html, place.name);
  html += "</h1><p class=\"count\">" + countText(total, "symbol", "symbols") + "</p>";
  html += pageSearchBox();
  html += "</header>\n<main class=\"symbols\"";
  if (!builder.pins.empty()) {
    const std::string pinFile = place.pictureFolder + "/pins.js";  // [A-Za-z0-9_-./] only
    folder.write(pinFile, builder.pins.script());
    html += " data-pins=\"" + pinFile + "\"";
  }
  html += ">\n";
  html += body;
  html += "</main>\n";
  html += pageEnd();
  folder.write(place.pageFile, html);
  return std::move(builder.result);
}

}  // namespace quiral
