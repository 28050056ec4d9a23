// The review as one HTML page: a table of contents, then each library with its entries, each
// entry under its own anchor with its differences and its overlay pictures as inline SVG.

#include <algorithm>
#include <cmath>

#include "platform/html_escape.h"
#include "review/overlay_picture.h"
#include "review/review_report.h"
#include "vector/picture_frame.h"
#include "vector/svg_writer.h"

namespace quiral {

namespace {

// Screen pixels per library unit of a picture, and the widest picture in pixels.
constexpr double kPixelsPerUnit = 0.3;
constexpr double kMaxPictureWidth = 900;

constexpr const char* kStyle =
    "body{font-family:'Liberation Sans',Arial,sans-serif;margin:1em 2em;color:#222}"
    "h2{border-bottom:1px solid #999;margin-top:2em}"
    "ul.diff{font-family:'Liberation Mono',monospace;font-size:90%}"
    ".added{color:#109010}.removed{color:#d01010}.same{color:#888}"
    "figure{display:inline-block;margin:.5em 1em .5em 0;vertical-align:top}"
    "figcaption{font-size:85%;color:#555}";

// The picture as inline SVG, sized for the screen instead of at its printed size.
std::string inlineSvg(const DisplayList& list) {
  std::string svg = symbolSvg(list, kSymbolMargin);
  const PictureBox box = pictureBox(list, kSymbolMargin);
  const double scale = std::min(kPixelsPerUnit, kMaxPictureWidth / std::max(box.width, 1.0));
  const size_t from = svg.find(" width=\""), to = svg.find(" viewBox=\"");
  if (from != std::string::npos && to != std::string::npos && from < to) {
    svg.replace(from, to - from,
                " width=\"" + std::to_string(std::lround(std::max(box.width * scale, 1.0))) +
                    "\" height=\"" +
                    std::to_string(std::lround(std::max(box.height * scale, 1.0))) + "\"");
  }
  return svg;
}

const char* changeClass(ChangeKind change) {
  return change == ChangeKind::Added     ? "added"
         : change == ChangeKind::Removed ? "removed"
                                         : "changed";
}

std::string entryTitle(const ReviewEntry& entry) {
  std::string title = entry.symbol.empty() ? "library " + entry.library : symbolLabel(entry);
  if (entry.alias) title += " (alias)";
  title += ": ";
  title += changeWord(entry.change);
  if (entry.change == ChangeKind::Renamed) title += " from " + entry.from;
  return title;
}

void appendEntry(std::string& out, const ReviewEntry& entry, SymbolRecorder& recorder) {
  out += "<article id=\"" + entryAnchor(entry) + "\">\n<h3 class=\"";
  out += changeClass(entry.change);
  out += "\">" + htmlText(entryTitle(entry)) + "</h3>\n";
  if (!entry.differences.empty()) {
    out += "<ul class=\"diff\">\n";
    for (const Difference& d : entry.differences)
      out += "<li>" + htmlText(d.what) + ": " + htmlText(d.detail) + "</li>\n";
    out += "</ul>\n";
  }
  for (const OverlayPicture& picture : overlayPictures(recorder, entry)) {
    out += "<figure>\n" + inlineSvg(picture.list) + "<figcaption>" + htmlText(picture.caption) +
           "</figcaption></figure>\n";
  }
  out += "</article>\n";
}

void appendContents(std::string& out, const Review& review) {
  out += "<nav>\n<h2>Libraries</h2>\n<ul>\n";
  for (size_t i = 0; i < review.entries.size();) {
    const std::string& library = review.entries[i].library;
    size_t n = 0;
    for (; i < review.entries.size() && review.entries[i].library == library; ++i) ++n;
    out += "<li><a href=\"#" + libraryAnchor(library) + "\">" + htmlText(library) + "</a> (" +
           std::to_string(n) + ")</li>\n";
  }
  out += "</ul>\n</nav>\n";
}

}  // namespace

std::string reviewHtml(const Review& review, const std::string& before, const std::string& after,
                       SymbolRecorder& recorder) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Review: " +
      htmlText(before) + " -&gt; " + htmlText(after) + "</title>\n<style>" + kStyle +
      "</style>\n</head>\n<body>\n<h1>Review</h1>\n<p>Old: <code>" + htmlText(before) +
      "</code><br>\nNew: <code>" + htmlText(after) + "</code></p>\n";
  if (review.entries.empty()) {
    out += "<p>No differences.</p>\n</body>\n</html>\n";
    return out;
  }
  out += "<p>" + std::to_string(review.entries.size()) +
         " entries differ. In the pictures: <span class=\"removed\">removed in red</span>, "
         "<span class=\"added\">added in green</span>, <span class=\"same\">unchanged in "
         "grey</span>.</p>\n";
  appendContents(out, review);
  std::string library;
  bool open = false;
  for (const ReviewEntry& entry : review.entries) {
    if (!open || entry.library != library) {
      if (open) out += "</section>\n";
      library = entry.library;
      out +=
          "<section id=\"" + libraryAnchor(library) + "\">\n<h2>" + htmlText(library) + "</h2>\n";
      open = true;
    }
    appendEntry(out, entry, recorder);
  }
  out += "</section>\n</body>\n</html>\n";
  return out;
}

}  // namespace quiral
