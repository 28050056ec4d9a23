#pragma once

#include <string>

#include "review/library_review.h"

namespace quiral {

class SymbolRecorder;

enum class ReportKind { None, Html, Pdf };

// The report a file name asks for by its extension (.html, .htm or .pdf, any letter case).
ReportKind reportKindOf(const std::string& path);

// Writes the review's report to `target` as its extension asks, whole under a temporary name
// beside it and then renamed; a target that is no regular file or lies in a missing folder is
// refused (FileError or QuiralError) and nothing is written. `before` and `after` are the two
// sides as the user named them.
void writeReviewReport(const Review& review, const std::string& before, const std::string& after,
                       const std::string& target);

// One HTML page: the words of every entry under an anchor of its own, with the overlay pictures
// of each symbol as inline SVG.
std::string reviewHtml(const Review& review, const std::string& before, const std::string& after,
                       SymbolRecorder& recorder);

// A PDF with searchable text, one outline entry per library and per symbol, the overlay pictures
// beside the words.
std::string reviewPdf(const Review& review, const std::string& before, const std::string& after,
                      SymbolRecorder& recorder);

// The anchor of a library's section in the HTML page.
std::string libraryAnchor(const std::string& library);

// The anchor of an entry in the HTML page: letters, digits, '-', '_' and '.' kept, any other
// byte written as '_' and two hex digits.
std::string entryAnchor(const ReviewEntry& entry);

}  // namespace quiral
