#pragma once

#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace quiral {

class FileList;
class SymbolSearch;
struct SearchHit;

// A name the search found, as the window needs it to open its library and select it.
struct SearchChoice {
  std::string libraryFile;  // the file's name in the folder shown
  // The names the component list may give it, most likely first: the name, with the tilde of a
  // hidden value, then the symbol an alias belongs to.
  std::vector<std::string> componentNames;
};

// The search field above the component list and the results that cover the list while the field
// holds text. Every library of the folder the file list shows is searched as the user types, in a
// thread of its own; a result of an older text never replaces a newer one. Ctrl+K and "/" focus
// the field, Esc clears it; moving through the results reports each one (highlighted), Enter or a
// double click reports it as chosen.
class SymbolSearchBox : public QObject {
  Q_OBJECT

 public:
  static constexpr int kFieldHeight = 22;

  // Places the field in the room above `list` (which the caller left free: kFieldHeight pixels)
  // and keeps it there, and the results over the list, as the list moves and grows. `window`
  // takes the shortcuts; `files` tells the folder and its libraries.
  SymbolSearchBox(QWidget& list, QWidget& window, const FileList& files);
  ~SymbolSearchBox() override;

  QLineEdit* field() const { return field_; }
  QTreeWidget* results() const { return results_; }
  // The results on show belong to this text (empty while a search runs).
  const QString& shownQuery() const { return shownQuery_; }
  // The folder shown changed: the text in the field is searched again in the new one.
  void searchAgain();
  // Ctrl+K: the field's page to the front and the field's text selected, to type over it.
  void focusField();

 signals:
  void highlighted(const quiral::SearchChoice& choice);
  void chosen(const quiral::SearchChoice& choice);
  // A search finished and its results are on show.
  void resultsShown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Facts;
  void textChanged(const QString& text);
  void show(uint64_t generation, const QString& query, std::shared_ptr<const SymbolSearch> search,
            const std::vector<SearchHit>& hits);
  void follow();
  void showFieldsPage();
  std::shared_ptr<Facts> factsOfFolder();
  SearchChoice choiceOf(const QTreeWidgetItem* item) const;

  QWidget& list_;
  const FileList& files_;
  QLineEdit* field_ = nullptr;
  QTreeWidget* results_ = nullptr;
  QString shownQuery_;
  std::shared_ptr<Facts> facts_;
  std::shared_ptr<const SymbolSearch> shownSearch_;
  std::atomic<uint64_t> generation_{0};
  QThreadPool pool_;
};

}  // namespace quiral
