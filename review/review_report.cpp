#include "review/review_report.h"

#include "library/text_words.h"
#include "platform/file_io.h"
#include "platform/font_engine.h"
#include "vector/symbol_recorder.h"

namespace quiral {

namespace {

bool endsWithUpper(const std::string& text, std::string_view upperSuffix) {
  return text.size() > upperSuffix.size() &&
         equalsUpper(std::string_view(text).substr(text.size() - upperSuffix.size()), upperSuffix);
}

void appendAnchorPart(std::string& out, const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '.') {
      out += c;
    } else {
      out += '_';
      out += hex[b >> 4];
      out += hex[b & 15];
    }
  }
}

}  // namespace

ReportKind reportKindOf(const std::string& path) {
  if (endsWithUpper(path, ".HTML") || endsWithUpper(path, ".HTM")) return ReportKind::Html;
  if (endsWithUpper(path, ".PDF")) return ReportKind::Pdf;
  return ReportKind::None;
}

std::string libraryAnchor(const std::string& library) {
  std::string anchor = "lib-";
  appendAnchorPart(anchor, library);
  return anchor;
}

std::string entryAnchor(const ReviewEntry& entry) {
  std::string anchor = libraryAnchor(entry.library);
  if (entry.symbol.empty()) return anchor + "--library";
  anchor += entry.alias ? "--alias-" : "--";
  appendAnchorPart(anchor, entry.symbol);
  if (entry.occurrence > 0) anchor += "--" + std::to_string(entry.occurrence + 1);
  return anchor;
}

void writeReviewReport(const Review& review, const std::string& before, const std::string& after,
                       const std::string& target) {
  FontEngine fonts;
  SymbolRecorder recorder(fonts);
  const ReportKind kind = reportKindOf(target);
  writeFileAtomically(target, kind == ReportKind::Pdf
                                  ? reviewPdf(review, before, after, recorder)
                                  : reviewHtml(review, before, after, recorder));
}

}  // namespace quiral
