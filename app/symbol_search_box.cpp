#include "app/symbol_search_box.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>
#include <mutex>

#include "library/folder_listing.h"
#include "library/library_browser.h"
#include "platform/text_codec.h"
#include "search/facts_loader.h"
#include "search/search_cache.h"
#include "search/symbol_search.h"

namespace quiral {

namespace {

// More results than anyone reads through; the best of them are shown.
constexpr size_t kShownResults = 500;
constexpr int kLibraryRole = Qt::UserRole;
constexpr int kSymbolRole = Qt::UserRole + 1;

QString shown(std::string_view bytes) {
  return QString::fromStdString(displayText(bytes));
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// The facts of one listing of a folder, read in the search thread when a search first needs them.
struct SymbolSearchBox::Facts {
  std::string folder;
  uint64_t listing = 0;
  std::mutex mutex;
  std::shared_ptr<const SymbolSearch> search;

  std::shared_ptr<const SymbolSearch> get() {
    std::lock_guard lock(mutex);
    if (!search) {
      LoadedFacts loaded = loadSearchFacts(searchPlacesOf({folder}), defaultSearchCachePath());
      for (const std::string& warning : loaded.warnings) qWarning("%s", warning.c_str());
      search = std::make_shared<const SymbolSearch>(std::move(loaded.libraries));
    }
    return search;
  }
};

SymbolSearchBox::SymbolSearchBox(QWidget& list, QWidget& window, const FileList& files)
    : QObject(&list), list_(list), files_(files) {
  pool_.setMaxThreadCount(1);
  field_ = new QLineEdit(list.parentWidget());
  field_->setObjectName(QStringLiteral("SymbolSearchField"));
  field_->setPlaceholderText(tr("Buscar em todas as bibliotecas (Ctrl+K)"));
  field_->setClearButtonEnabled(true);
  results_ = new QTreeWidget(list.parentWidget());
  results_->setObjectName(QStringLiteral("SymbolSearchResults"));
  results_->setHeaderLabels({tr("Biblioteca"), tr("Nome"), tr("Descrição")});
  results_->setRootIsDecorated(false);
  results_->setUniformRowHeights(true);
  results_->setSelectionMode(QAbstractItemView::SingleSelection);
  results_->header()->setStretchLastSection(true);
  results_->hide();
  follow();
  list.installEventFilter(this);
  field_->installEventFilter(this);
  results_->installEventFilter(this);

  connect(field_, &QLineEdit::textChanged, this, &SymbolSearchBox::textChanged);
  connect(results_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) emit highlighted(choiceOf(item));
  });
  connect(results_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { emit chosen(choiceOf(item)); });
  for (const char* key : {"Ctrl+K", "/"}) {
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(key)), &window);
    connect(shortcut, &QShortcut::activated, this, &SymbolSearchBox::focusField);
  }
}

void SymbolSearchBox::focusField() {
  showFieldsPage();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

SymbolSearchBox::~SymbolSearchBox() {
  // A search still running calls back into this object: it must end first.
  generation_ = UINT64_MAX;
  pool_.clear();
  pool_.waitForDone();
}

void SymbolSearchBox::showFieldsPage() {
  // The field sits on a tab's page: that page comes to the front first.
  QWidget* page = field_->parentWidget();
  for (QWidget* outer = page->parentWidget(); outer; outer = outer->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(outer); tabs && tabs->indexOf(page) >= 0)
      return tabs->setCurrentWidget(page);
  }
}

void SymbolSearchBox::searchAgain() {
  if (!field_->text().isEmpty()) textChanged(field_->text());
}

void SymbolSearchBox::follow() {
  const QRect list = list_.geometry();
  field_->setGeometry(list.x(), list.y() - kFieldHeight, list.width(), kFieldHeight);
  results_->setGeometry(list);
  results_->raise();
}

bool SymbolSearchBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &list_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
    follow();
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Escape && (watched == field_ || watched == results_)) {
    field_->clear();
    field_->setFocus();
    return true;
  }
  if (watched == field_ && results_->topLevelItemCount() > 0 &&
      (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter)) {
    // Down goes to the results; Enter chooses the first (or the one highlighted).
    QTreeWidgetItem* item =
        results_->currentItem() ? results_->currentItem() : results_->topLevelItem(0);
    results_->setFocus();
    results_->setCurrentItem(item);
    if (key != Qt::Key_Down) emit chosen(choiceOf(item));
    return true;
  }
  return false;
}

std::shared_ptr<SymbolSearchBox::Facts> SymbolSearchBox::factsOfFolder() {
  if (!facts_ || facts_->folder != files_.folder() || facts_->listing != files_.listingNumber()) {
    facts_ = std::make_shared<Facts>();
    facts_->folder = files_.folder();
    facts_->listing = files_.listingNumber();
  }
  return facts_;
}

void SymbolSearchBox::textChanged(const QString& text) {
  const uint64_t generation = ++generation_;
  shownQuery_.clear();
  if (text.trimmed().isEmpty()) {
    results_->clear();
    results_->hide();
    shownSearch_.reset();
    return;
  }
  std::shared_ptr<Facts> facts = factsOfFolder();
  const std::string query = text.toStdString();
  pool_.start([this, generation, facts, query, text] {
    // A newer text was typed meanwhile: this one is not searched at all.
    if (generation != generation_) return;
    std::shared_ptr<const SymbolSearch> search;
    std::vector<SearchHit> hits;
    try {
      search = facts->get();
      hits = search->search(query, kShownResults);
    } catch (const std::exception& e) {
      qWarning("search: %s", e.what());
    }
    QMetaObject::invokeMethod(
        this, [this, generation, text, search, hits] { show(generation, text, search, hits); },
        Qt::QueuedConnection);
  });
}

void SymbolSearchBox::show(uint64_t generation, const QString& query,
                           std::shared_ptr<const SymbolSearch> search,
                           const std::vector<SearchHit>& hits) {
  if (generation != generation_) return;  // results of an older text
  shownSearch_ = std::move(search);
  results_->clear();
  QList<QTreeWidgetItem*> items;
  for (const SearchHit& hit : hits) {
    const SearchedSymbol& facts = shownSearch_->facts(hit);
    auto* item = new QTreeWidgetItem({shown(shownSearch_->libraries()[hit.library].library),
                                      shown(facts.name), shown(facts.description)});
    item->setData(0, kLibraryRole, hit.library);
    item->setData(0, kSymbolRole, hit.symbol);
    item->setToolTip(2, shown(facts.description));
    items.append(item);
  }
  results_->addTopLevelItems(items);
  results_->show();
  results_->raise();
  shownQuery_ = query;
  emit resultsShown();
}

SearchChoice SymbolSearchBox::choiceOf(const QTreeWidgetItem* item) const {
  SearchChoice choice;
  if (!item || !shownSearch_) return choice;
  const SearchHit hit{item->data(0, kLibraryRole).toUInt(), item->data(0, kSymbolRole).toUInt(),
                      MatchTier::None};
  const SearchedSymbol& facts = shownSearch_->facts(hit);
  choice.libraryFile = fileNameOf(shownSearch_->libraries()[hit.library].path);
  choice.componentNames = {facts.name, "~" + facts.name};
  if (!facts.aliasOf.empty()) {
    choice.componentNames.push_back(facts.aliasOf);
    choice.componentNames.push_back("~" + facts.aliasOf);
  }
  return choice;
}

}  // namespace quiral
