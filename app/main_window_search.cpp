// The window's side of the symbol search: a name found is opened as a click on its library and
// then on the component would open it.

#include <QLineEdit>
#include <algorithm>

#include "app/directory_list_box.h"
#include "app/main_window.h"
#include "app/symbol_search_box.h"
#include "app/user_list_box.h"
#include "library/alias_rows.h"
#include "library/text_words.h"
#include "render/renderer.h"

namespace quiral {

void TForm1::buildSymbolSearch() {
  searchBox_ = new SymbolSearchBox(*ListBox1, *this, fileList_);
  // Connected after the window's own handler, which lists the new folder first.
  connect(DLB1, &DirectoryListBox::directoryChanged, searchBox_, &SymbolSearchBox::searchAgain);
  connect(searchBox_, &SymbolSearchBox::highlighted, this, &TForm1::showSearchChoice);
  connect(searchBox_, &SymbolSearchBox::chosen, this, [this](const SearchChoice& choice) {
    showSearchChoice(choice);
    searchBox_->field()->clear();
    ListBox1->setFocus();
  });
}

void TForm1::showSearchChoice(const SearchChoice& choice) {
  if (catalogGenerating()) return;
  const std::vector<std::string>& entries = fileList_.entries();
  const auto found = std::find(entries.begin(), entries.end(), choice.libraryFile);
  if (found == entries.end()) return;
  const int file = int(found - entries.begin());
  if (fileList_.selectedIndex() != file || session_.browser.components().empty()) {
    fileList_.select(file);
    mirrorFileList();
    readLibrary(choice.libraryFile,
                [this] { session_.browser.LoadLibrary(folderShown(), selectedFileName()); });
  }
  // The list shows each symbol's aliases after it: a name is the row of its component, or of an
  // alias of that name.
  for (const std::string& name : choice.componentNames) {
    const int component = session_.browser.components().indexOf(name);
    int row = component >= 0 ? rowOfComponent(rows_, component) : -1;
    const std::string wanted = toUpperAscii(name);
    for (size_t r = 0; row < 0 && r < rows_.size(); ++r)
      if (rows_[r].isAlias() && equalsUpper(rows_[r].alias, wanted)) row = int(r);
    if (row < 0) continue;
    componentChosen(row);
    return;
  }
}

}  // namespace quiral
