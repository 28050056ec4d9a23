// One symbol's section of a library page. The page stays whole without its script: every
// text and picture is in the markup and the details panel is a <details> element; only the pin
// tables, built when a panel opens, need the script.

#include "site/symbol_html.h"

#include "site/html_text.h"

namespace quiral {

namespace {

void appendImage(std::string& html, const SitePicture& picture, const std::string& alt) {
  html += "<img src=\"";
  html += picture.file;  // made of [A-Za-z0-9_-./] only
  html += "\" loading=\"lazy\" alt=\"";
  appendHtml(html, alt);
  html += "\" width=\"" + std::to_string(picture.width) + "\" height=\"" +
          std::to_string(picture.height) + "\">";
}

void appendFigure(std::string& html, const SitePicture& picture, const std::string& alt,
                  const std::string& caption) {
  html += "<figure>";
  appendImage(html, picture, alt);
  if (!caption.empty()) {
    html += "<figcaption>";
    appendHtml(html, caption);
    html += "</figcaption>";
  }
  html += "</figure>";
}

std::string unitAlt(const std::string& name, const SiteUnit& unit, bool deMorgan) {
  std::string alt = name;
  if (!unit.label.empty()) alt += ", unit " + unit.label;
  if (deMorgan) alt += ", De Morgan";
  return alt;
}

void appendDatasheet(std::string& html, const std::string& datasheet) {
  if (isWebLink(datasheet)) {
    html += "<a href=\"";
    appendHtml(html, datasheet);
    html += "\" rel=\"noopener noreferrer\">";
    appendHtml(html, datasheet);
    html += "</a>";
  } else {
    appendHtml(html, datasheet);
  }
}

// A term and its text, when there is one.
void appendFact(std::string& html, const char* term, const std::string& text) {
  if (text.empty()) return;
  html += "<dt>";
  html += term;
  html += "<dd>";
  appendHtml(html, text);
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

void appendFacts(std::string& html, const SymbolProperties& p) {
  html += "<dl>";
  appendFact(html, "Keywords", p.keywords);
  appendFact(html, "Footprint filters", joined(p.footprintFilters, " "));
  if (!p.datasheet.empty()) {
    html += "<dt>Datasheet<dd>";
    appendDatasheet(html, p.datasheet);
  }
  html += "</dl>";
}

void appendAliases(std::string& html, const SiteSymbol& symbol) {
  if (symbol.aliases.empty()) return;
  html += "<ul class=\"aliases\" aria-label=\"Aliases\">";
  for (const SiteAlias& alias : symbol.aliases) {
    html += "<li id=\"";
    appendHtml(html, alias.anchor);
    html += "\"><b>";
    appendHtml(html, alias.name);
    html += "</b>";
    if (!alias.doc.description.empty()) {
      html += " — ";
      appendHtml(html, alias.doc.description);
    }
    html += "</li>";
  }
  html += "</ul>";
}

// The pin table is built by the page's script from the library's pin script (see pin_script.h).
void appendPinTable(std::string& html, const std::vector<PinRow>& pins) {
  if (!pins.empty()) html += "<div class=\"pins\"></div>";
}

void appendFields(std::string& html, const SymbolProperties& p) {
  html += "<dl class=\"fields\">";
  appendFact(html, "Reference", p.reference);
  appendFact(html, "Value", p.name);
  appendFact(html, "Footprint", p.footprint);
  if (!p.datasheet.empty()) {
    html += "<dt>Datasheet<dd>";
    appendDatasheet(html, p.datasheet);
  }
  appendFact(html, "Units",
             std::to_string(p.unitLabels.size()) + (p.deMorgan ? ", De Morgan" : ""));
  if (p.power) appendFact(html, "Power symbol", "yes");
  appendFact(html, "Pins", std::to_string(p.pinCount));
  html += "</dl>";
}

// Unit names and the De Morgan pictures, which the cell itself leaves out.
void appendUnits(std::string& html, const SiteSymbol& symbol) {
  const std::string& name = symbol.properties.name;
  if (symbol.units.size() > 1) {
    html += "<p>Units: ";
    appendHtml(html, joined(symbol.properties.unitLabels, ", "));
    html += "</p>";
  }
  if (!symbol.properties.deMorgan) return;
  html += "<div class=\"pictures\">";
  for (const SiteUnit& unit : symbol.units)
    if (!unit.deMorgan.file.empty())
      appendFigure(html, unit.deMorgan, unitAlt(name, unit, true),
                   (unit.label.empty() ? "" : unit.label + ", ") + "De Morgan");
  html += "</div>";
}

}  // namespace

void appendSymbolSection(std::string& html, const SiteSymbol& symbol) {
  const SymbolProperties& p = symbol.properties;
  html += "<section class=\"symbol\" id=\"";
  appendHtml(html, symbol.anchor);
  html += "\"><h2><a href=\"#";
  appendHtml(html, urlEncoded(symbol.anchor));
  html += "\">";
  appendHtml(html, p.name);
  html += "</a></h2><div class=\"pictures\">";
  for (const SiteUnit& unit : symbol.units)
    appendFigure(html, unit.normal, unitAlt(p.name, unit, false), unit.label);
  html += "</div>";
  if (!p.description.empty()) {
    html += "<p class=\"description\">";
    appendHtml(html, p.description);
    html += "</p>";
  }
  appendAliases(html, symbol);
  appendFacts(html, p);
  html += "<details><summary>Details</summary>";
  appendFields(html, p);
  appendUnits(html, symbol);
  appendPinTable(html, symbol.pins);
  html += "</details></section>\n";
}

}  // namespace quiral
