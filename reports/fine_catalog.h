#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "render/drawing_look.h"
#include "reports/fine_layout.h"
#include "reports/page_language.h"

namespace quiral {

class FontEngine;

// Thrown out of FineCatalogWriter::addLibrary when the progress callback asks to stop.
class FineCatalogCancelled : public QuiralError {
 public:
  FineCatalogCancelled() : QuiralError("cancelled") {}
};

// Called after each cell: the library's components done and in all. Returning false cancels.
using FineProgress = std::function<bool(size_t done, size_t total)>;

// The fine catalog: one or more libraries as one vector PDF, each starting on a new page with its
// own header, drawn cell by cell (only one symbol's display list is held at a time), with an
// outline entry per library and, under it, per component and alias. The document is written to a
// temporary file beside `path` and renamed to `path` by finish(); a writer destroyed before that
// (an error, a cancel) removes its temporary file and leaves `path` alone.
class FineCatalogWriter {
 public:
  // Refuses at once (FileError) a target that could not be replaced: a folder, a file without
  // write permission, a folder that cannot take the temporary file. `units` says whether a
  // multi-unit symbol's drawings cell shows every unit's picture or only the first unit's;
  // `look` is how the pictures are drawn.
  FineCatalogWriter(const std::string& path, FineCatalogKind kind, FontEngine& fonts,
                    FineUnitPictures units = FineUnitPictures::AllUnits,
                    LookName look = LookName::KiCad);
  ~FineCatalogWriter();
  FineCatalogWriter(const FineCatalogWriter&) = delete;
  FineCatalogWriter& operator=(const FineCatalogWriter&) = delete;

  // Adds the pages of one library and returns its component count. A library that cannot be
  // read throws FileError or QuiralError before any of its pages is drawn; one without
  // components throws QuiralError and adds nothing.
  size_t addLibrary(const std::string& libraryPath, const FineProgress& progress = {});

  // The language of the pages' texts (before the first library); Portuguese unless set.
  void setLanguage(PageLanguage language);
  // Sets the document's title and subject (before finish).
  void setTitle(const std::string& title, const std::string& subject);
  // Pages written so far.
  int pageCount() const;
  // Whether the output itself failed (a write error, cairo out of memory): the failure is the
  // document's, not the library's being added.
  bool broken() const;
  // What was changed to lay the texts out since the last call (a description cut), one line
  // per symbol.
  std::vector<std::string> takeWarnings();
  // The symbols of the libraries added since the last call that could not be read (a modern
  // symbol with a value out of range), each naming its line and column: they are missing.
  std::vector<std::string> takeSkippedSymbols();
  // Ends the document and renames it into place; throws FileError (the temporary is removed).
  void finish();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quiral
