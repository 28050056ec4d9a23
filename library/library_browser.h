#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/block_index.h"
#include "library/modern_library_cache.h"

namespace quiral {

// The component list: every DEF line's second word, in file order and as written, with an
// optional selection (the catalogs' cursor).
class ComponentList {
 public:
  const std::vector<std::string>& entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const std::string& operator[](size_t i) const { return entries_[i]; }

  // -1 when nothing is selected.
  int selectedIndex() const { return selected_; }
  bool hasSelection() const { return selected_ >= 0 && size_t(selected_) < entries_.size(); }
  const std::string& selectedEntry() const { return entries_[size_t(selected_)]; }
  // Selecting an index outside the list clears the selection.
  void select(int index) {
    selected_ = (index >= 0 && size_t(index) < entries_.size()) ? index : -1;
  }

  void clear() {
    entries_.clear();
    selected_ = -1;
  }
  void append(std::string name) { entries_.push_back(std::move(name)); }
  // The first entry equal to `name` ignoring ASCII letter case (the case the library's blocks
  // are found with), or -1.
  int indexOf(std::string_view name) const;

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
};

// Draws the block that ShowComponent has put in the memo.
class ComponentRenderer {
 public:
  virtual ~ComponentRenderer() = default;
  virtual void RenderComponent(const std::vector<std::string>& memo) = 0;
};

// The library in use: its path, its component list and the memo of the block on show. Every
// ShowComponent reads the library again, so that a file changed on disk shows as it is now; an
// index of where the blocks start, kept while the file's size and modification time stay the
// same, lets it read the wanted block alone. A modern library (*.kicad_sym) is translated into
// legacy text when it is read, and read again only when the file changed; its lines are then
// walked as a legacy file's would be.
class LibraryBrowser {
 public:
  explicit LibraryBrowser(ComponentRenderer* renderer = nullptr) : renderer_(renderer) {}
  void setRenderer(ComponentRenderer* renderer) { renderer_ = renderer; }

  const std::string& CurrentLibraryPath() const { return currentLibraryPath_; }
  ComponentList& components() { return components_; }
  const ComponentList& components() const { return components_; }
  const std::vector<std::string>& memo() const { return memo_; }

  // The file list's click: `folder` is the folder the folder list shows, `selectedFileName` the
  // file list's selected entry (none: the list is emptied and nothing else happens). Lists the
  // library's components, selects the first and shows it. Throws FileError when the file cannot
  // be read; what was listed up to then stays.
  void LoadLibrary(const std::string& folder, const std::optional<std::string>& selectedFileName);

  // No library in use any more (another folder is shown): the list, the memo and the drawing
  // are emptied.
  void closeLibrary();

  // The component list's click: copies the selected component's block into the memo and renders
  // it. Does nothing without a selection; empties the memo and stops when no library is in use.
  void ShowComponent();

  // Selects the component named `name` (ASCII letter case ignored) and shows it; nothing
  // changes when the list has no such entry.
  void chooseComponent(std::string_view name);

  // The hidden loader: lists the components of the typed file name without selecting any.
  void B_carregarClick(const std::string& fileName);

  // The translation of the library in use when it is a modern library, as last read; null for a
  // legacy library. Its documentation text holds the descriptions that a legacy library keeps in
  // its .dcm file.
  std::shared_ptr<const TranslatedLibrary> modernTranslation() const { return translation_; }

  // The aliases of every entry of the component list (index i for entry i), as the ALIAS lines
  // of each block name them; read from the library in use, which may throw FileError.
  std::vector<std::vector<std::string>> readAliases();

  // The display names of the units of the block in the memo (index 0 for unit 1), which only a
  // modern library's symbols carry; empty otherwise.
  std::vector<std::string> shownUnitNames() const;

 private:
  void listComponents();
  // Lists the components (when `list`) and indexes their blocks, in one walk of the library.
  void walkDefinitions(bool list);
  // Copies the block that starts at `offset` into the memo, checking that a DEF line of
  // `wanted` stands there; false (memo empty) when it does not.
  bool copyBlockAt(uint64_t offset, const std::string& wanted);
  // Copies the first block of `wanted` into the memo, walking the library from its start.
  void copyFirstBlock(const std::string& wanted);
  // Empties the memo and the drawing: after a failed read neither shows a component.
  void clearShown();
  // The translated text of a modern library in use (translated again if the file changed), or
  // null when the library in use is a legacy file.
  const std::string* translatedText();

  ComponentRenderer* renderer_;
  ModernLibraryCache modernLibraries_;
  BlockIndex blocks_;
  std::shared_ptr<const TranslatedLibrary> translation_;
  std::string currentLibraryPath_;
  ComponentList components_;
  std::vector<std::string> memo_;
};

// The documentation file of a library: its file name with the extension replaced by ".dcm", no
// folder in front.
std::string documentationFileName(std::string_view libraryPath);

// folder + "/" + name, without doubling the separator.
std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace quiral
