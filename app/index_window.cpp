#include "app/index_window.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTableView>
#include <charconv>
#include <exception>

#include "app/designed_layout.h"
#include "app/dialogs.h"
#include "app/index_table_model.h"
#include "app/main_window.h"
#include "app/widget_placement.h"
#include "app/window_wording.h"
#include "library/folder_listing.h"
#include "platform/text_codec.h"

namespace quiral {

namespace {

// The window's outer size is 709 x 480; the client area is what remains inside a frame of 4
// pixels and a caption of 19, and is kept whatever frame this desktop draws.
constexpr int kClientWidth = 709 - 2 * 4;
constexpr int kClientHeight = 480 - 2 * 4 - 19;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top) {
  auto* b = new QPushButton(caption, parent);
  b->setAutoDefault(false);
  return place(b, name, left, top, 75, 25);
}

QString shown(std::string_view bytes) {
  return QString::fromStdString(displayText(bytes));
}

// A block's lines each end in CR; the memo shows one line each.
QString memoText(std::string_view commands) {
  QString text = shown(commands);
  if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string commandsOf(const QString& memo) {
  if (memo.isEmpty()) return {};
  std::string bytes = memo.toStdString();
  for (char& c : bytes) {
    if (c == '\n') c = '\r';
  }
  bytes.push_back('\r');
  return bytes;
}

}  // namespace

TForm2::TForm2(FileList& files, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), files_(files), dialogs_(dialogs) {
  setObjectName(tr("Form2"));
  setWindowTitle(tr("Form2"));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  resize(kClientWidth, kClientHeight);
  buildControls();
  connectDataControls();
  mirrorIndex();
}

TForm2::~TForm2() = default;

void TForm2::buildControls() {
  BitBtn1 = button(this, "BitBtn1", tr("BitBtn1"), 68, 51);
  QLabel* const models = placeLabel(this, "Label3", tr("Modelos:"), 41, 82);
  Label1 = placeLabel(this, "Label1", QStringLiteral("0"), 92, 82);
  QLabel* const components = placeLabel(this, "Label2", tr("Componentes:"), 140, 82);
  Label4 = placeLabel(this, "Label4", QStringLiteral("0"), 216, 83);
  // The counts and their captions are wider in the fonts used here than in their designed places
  // (and a count grows with its digits): each keeps clear of the one before it.
  const QSize designed(kClientWidth, kClientHeight);
  auto* counts = new DesignedLayout(this, designed, designed);
  QWidget* before = nullptr;
  for (QLabel* label : {models, Label1, components, Label4}) {
    counts->add(label, {}, {.after = before, .fitText = true});
    before = label;
  }
  Edit1 = place(new QLineEdit(this), "Edit1", 49, 101, 121, 21);
  BitBtn2 = button(this, "BitBtn2", tr("Localizar"), 178, 100);
  // Enter in the search box searches.
  BitBtn2->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);

  DBGrid2 = place(new QTableView(this), "DBGrid2", 15, 134, 260, 226);
  names_ = std::make_unique<IndexTableModel>(index_.RxMD_principal(),
                                             std::vector<std::string>{"alias", "lib"});
  DBGrid2->setModel(names_.get());
  DBGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
  DBGrid2->verticalHeader()->hide();
  DBGrid2->verticalHeader()->setDefaultSectionSize(DBGrid2->fontMetrics().height() + 4);
  DBGrid2->horizontalHeader()->setSectionsClickable(true);
  connect(DBGrid2, &QTableView::clicked, this,
          [this](const QModelIndex& cell) { DBGrid2CellClick(cell.row()); });
  connect(DBGrid2->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TForm2::DBGrid2TitleClick);
  connect(DBGrid2, &QTableView::doubleClicked, this,
          [this](const QModelIndex& cell) { chooseName(cell.row()); });
  DBGrid2->installEventFilter(this);
  // The block shown is always the highlighted name's, however the highlight moved.
  connect(DBGrid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.row() >= 0) DBGrid2CellClick(current.row());
          });

  DBEdit2 = place(new QLineEdit(this), "DBEdit2", 285, 146, 121, 21);
  DBEdit3 = place(new QLineEdit(this), "DBEdit3", 284, 202, 121, 21);
  DBEdit3->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("-?[0-9]{0,10}")), DBEdit3));
  DBMemo1 = place(new QPlainTextEdit(this), "DBMemo1", 434, 141, 250, 296);
  DBMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  DBMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  DBEdit1 = place(new QLabel(this), "DBEdit1", 18, 368, 404, 75);
  DBEdit1->setTextFormat(Qt::PlainText);
  DBEdit1->setWordWrap(true);
  DBEdit1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // A larger window gives its room to the names and the block's lines.
  constexpr double kNamesShare = 0.4;
  counts->add(DBGrid2, {.growX = kNamesShare, .growY = 1});
  counts->add(DBEdit2, {.moveX = kNamesShare});
  counts->add(DBEdit3, {.moveX = kNamesShare});
  counts->add(DBMemo1, {.moveX = kNamesShare, .growX = 1 - kNamesShare, .growY = 1});
  counts->add(DBEdit1, {.growX = kNamesShare, .moveY = 1});
}

void TForm2::connectDataControls() {
  connect(DBEdit2, &QLineEdit::textEdited, this,
          [this](const QString& text) { storeTyped(CompField::Principal, text); });
  connect(DBEdit3, &QLineEdit::textEdited, this, &TForm2::storeTypedElementos);
  // Showing a block blocks this signal, so only typing reaches it.
  connect(DBMemo1, &QPlainTextEdit::textChanged, this,
          [this] { storeTyped(CompField::Comandos, DBMemo1->toPlainText()); });
}

// ----- handlers -----

void TForm2::BitBtn1Click() {
  BitBtn1->setEnabled(false);
  // The build walks the file list; the main window's list is left as the user had it.
  const int fileShown = files_.selectedIndex();
  names_->beginChange();
  std::exception_ptr failure;
  try {
    index_.BitBtn1Click(files_);
  } catch (...) {
    failure = std::current_exception();
  }
  // The grid and the counts show what was read, also after a failure, before it is reported.
  names_->endChange();
  BitBtn1->setEnabled(true);
  files_.select(fileShown);
  emit fileListWalked();
  // Whole library names, and the names' column the rest of the grid.
  DBGrid2->resizeColumnToContents(1);
  mirrorIndex();
  if (failure) dialogs_.runGuarded(this, [&] { std::rethrow_exception(failure); });
  if (!index_.skippedFiles().empty()) {
    QString text = tr("Bibliotecas deixadas de fora do índice:");
    for (const std::string& skipped : index_.skippedFiles())
      text += QLatin1Char('\n') + windowWording(QString::fromStdString(displayText(skipped)));
    dialogs_.reportError(this, text);
  }
}

void TForm2::BitBtn2Click() {
  const std::string text = Edit1->text().toStdString();
  dialogs_.runGuarded(this, [&] {
    if (index_.BitBtn2Click(text)) mirrorIndex();
  });
}

void TForm2::DBGrid2CellClick(int row) {
  dialogs_.runGuarded(this, [&] {
    index_.RxMD_principal().setCurrentRow(row);
    index_.DBGrid2CellClick();
    mirrorCurrentBlock();
  });
}

void TForm2::DBGrid2TitleClick(int column) {
  names_->beginChange();
  const bool sorted = dialogs_.runGuarded(this, [&] { index_.DBGrid2TitleClick(column); });
  names_->endChange();
  if (sorted) mirrorCurrentName();
}

void TForm2::openForSearch() {
  if (!index_.builtFrom(files_)) BitBtn1Click();
  show();
  raise();
  activateWindow();
  Edit1->setFocus();
}

void TForm2::chooseName(int row) {
  if (row < 0) return;
  index_.RxMD_principal().setCurrentRow(row);
  if (!index_.currentComponent()) return;
  emit componentChosen();
  close();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  // Enter on a name chooses it, instead of searching again with the default button.
  if (watched == DBGrid2 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      chooseName(DBGrid2->currentIndex().row());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ----- showing the index -----

void TForm2::mirrorIndex() {
  Label1->setText(QString::number(index_.modelCount()));
  Label1->adjustSize();
  Label4->setText(QString::number(index_.nameCount()));
  Label4->adjustSize();
  mirrorCurrentName();
  // The highlighted name's block, also when the highlight stayed on its row.
  if (const int row = index_.RxMD_principal().currentRow(); row >= 0) DBGrid2CellClick(row);
  mirrorCurrentBlock();
}

void TForm2::mirrorCurrentName() {
  const int row = index_.RxMD_principal().currentRow();
  if (row < 0) {
    DBGrid2->setCurrentIndex({});
    return;
  }
  const QModelIndex cell = names_->index(row, std::max(0, DBGrid2->currentIndex().column()));
  DBGrid2->setCurrentIndex(cell);
  DBGrid2->scrollTo(cell);
}

void TForm2::mirrorCurrentBlock() {
  const MemoryTable& comp = index_.RxMD_comp();
  const int row = comp.currentRow();
  // Without a block row there is nothing to type into.
  for (QLineEdit* edit : {DBEdit2, DBEdit3}) edit->setReadOnly(row < 0);
  DBMemo1->setReadOnly(row < 0);
  const QSignalBlocker blockMemo(DBMemo1);
  if (row < 0) {
    DBEdit2->clear();
    DBEdit3->clear();
    DBMemo1->clear();
    DBEdit1->clear();
    return;
  }
  const auto r = size_t(row);
  DBEdit2->setText(shown(comp.text(r, CompField::Principal)));
  DBEdit3->setText(shown(comp.displayText(r, CompField::Elementos)));
  DBMemo1->setPlainText(memoText(comp.text(r, CompField::Comandos)));
  DBEdit1->setText(shown(comp.text(r, CompField::Alias)));
}

// ----- typing into the data controls -----

void TForm2::storeTyped(size_t field, const QString& text) {
  MemoryTable& comp = index_.RxMD_comp();
  if (comp.currentRow() < 0) return;
  dialogs_.runGuarded(this, [&] {
    comp.setValue(size_t(comp.currentRow()), field,
                  field == CompField::Comandos ? commandsOf(text) : text.toStdString());
  });
}

void TForm2::storeTypedElementos(const QString& text) {
  MemoryTable& comp = index_.RxMD_comp();
  if (comp.currentRow() < 0) return;
  const auto row = size_t(comp.currentRow());
  const std::string digits = text.toStdString();
  if (digits.empty() || digits == "-") {
    comp.setValue(row, CompField::Elementos, FieldValue());
    return;
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc() && end == digits.data() + digits.size()) {
    comp.setValue(row, CompField::Elementos, value);
  } else {
    // Too large for the field: the stored value stays and is shown again.
    DBEdit3->setText(shown(comp.displayText(row, CompField::Elementos)));
  }
}

// ----- wiring -----

std::unique_ptr<TForm2> createIndexWindow(TForm1& mainWindow) {
  auto window = std::make_unique<TForm2>(mainWindow.fileList(), mainWindow.dialogs());
  mainWindow.setIndexWindow(window.get());
  QObject::connect(window.get(), &TForm2::fileListWalked, &mainWindow, &TForm1::mirrorFileList);
  TForm2* index = window.get();
  QObject::connect(&mainWindow, &TForm1::indexSearchRequested, index, &TForm2::openForSearch);
  QObject::connect(index, &TForm2::componentChosen, &mainWindow, [index, &mainWindow] {
    if (const auto chosen = index->index().currentComponent())
      mainWindow.chooseIndexedComponent(chosen->library, chosen->component);
  });
  return window;
}

}  // namespace quiral
