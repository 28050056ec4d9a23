#pragma once

#include <string>
#include <vector>

#include "library/documentation_cache.h"
#include "library/library_browser.h"
#include "reports/fine_layout.h"
#include "reports/page_language.h"
#include "vector/symbol_recorder.h"

namespace quiral {

// Records each shown block into the recorder instead of drawing pixels.
class FineRecordingRenderer final : public ComponentRenderer {
 public:
  explicit FineRecordingRenderer(SymbolRecorder& recorder) : recorder_(recorder) {}
  void RenderComponent(const std::vector<std::string>& memo) override { recorder_.record(memo); }

 private:
  SymbolRecorder& recorder_;
};

// Reads what each cell of one library's fine catalog shows: the component shown by the browser
// (recorded by `recorder` through a FineRecordingRenderer), its description and aliases from the
// library's documentation, its unit pictures.
class FineCellReader {
 public:
  FineCellReader(LibraryBrowser& browser, SymbolRecorder& recorder, std::string docPath,
                 FineCatalogKind kind, FineUnitPictures units, PageLanguage language)
      : browser_(browser),
        recorder_(recorder),
        docPath_(std::move(docPath)),
        kind_(kind),
        units_(units),
        language_(language) {}

  // Shows component `index` and returns its cell's content; each unit's picture goes into
  // `unitLists` (empty for one picture, which stays the recorder's); texts cut to a bound are
  // named in `warnings`.
  FineCellContent read(size_t index, std::vector<DisplayList>& unitLists,
                       std::vector<std::string>& warnings);

 private:
  void recordUnits(FineCellContent& content, std::vector<DisplayList>& unitLists);

  LibraryBrowser& browser_;
  SymbolRecorder& recorder_;
  std::string docPath_;
  FineCatalogKind kind_;
  FineUnitPictures units_;
  PageLanguage language_;  // of the unit count's words
  DocumentationCache docs_;
};

}  // namespace quiral
