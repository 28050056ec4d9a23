#include "app/pin_table_tab.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QCollator>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "platform/text_codec.h"

namespace quiral {

namespace {

const char* const kTitles[] = {QT_TRANSLATE_NOOP("quiral::PinTableTab", "Número"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Nome"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Tipo"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Forma"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Unidade"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Corpo"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "X"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Y"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Orientação"),
                               QT_TRANSLATE_NOOP("quiral::PinTableTab", "Comprimento")};

// The pins as a table model: the rows are kept as they are read, cells made when they are shown.
class PinTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setPins(const std::vector<PinRow>& pins) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(pins.size());
    for (const PinRow& pin : pins) rows_.push_back(pinRowFields(pin));
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(std::size(kTitles));
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(displayText(rows_[size_t(index.row())][size_t(index.column())]));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return PinTableTab::tr(kTitles[section]);
  }

 private:
  std::vector<std::vector<std::string>> rows_;
};

// Sorts "2" before "10" and "A2" before "A10", as people read pin numbers and positions.
class NaturalSortProxy : public QSortFilterProxyModel {
 public:
  explicit NaturalSortProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    collator_.setNumericMode(true);
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
  }

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
    const QString a = left.data().toString(), b = right.data().toString();
    bool aIsNumber = false, bIsNumber = false;
    const double x = a.toDouble(&aIsNumber), y = b.toDouble(&bIsNumber);
    // Positions may be negative, which the collator would not order.
    if (aIsNumber && bIsNumber) return x < y;
    return collator_.compare(a, b) < 0;
  }

 private:
  QCollator collator_;
};

}  // namespace

PinTableTab::PinTableTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PinTableTab"));
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("PinFilter"));
  filter_->setPlaceholderText(tr("Filtrar pinos"));
  filter_->setClearButtonEnabled(true);
  model_ = new PinTableModel(this);
  proxy_ = new NaturalSortProxy(this);
  proxy_->setSourceModel(model_);
  proxy_->setFilterKeyColumn(-1);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("PinTable"));
  table_->setModel(proxy_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(-1, Qt::AscendingOrder);  // the block's order until a title is clicked
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  // Column widths from the first rows only: measuring thousands of pins would take long.
  table_->horizontalHeader()->setResizeContentsPrecision(40);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->installEventFilter(this);
  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(filter_);
  layout->addWidget(table_);
}

void PinTableTab::showPins(const std::vector<PinRow>& pins) {
  static_cast<PinTableModel*>(model_)->setPins(pins);
  table_->resizeColumnsToContents();
}

QString PinTableTab::selectedRowsText() const {
  QModelIndexList rows = table_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  for (const QModelIndex& row : rows) {
    QStringList fields;
    for (int c = 0; c < proxy_->columnCount(); ++c)
      fields << proxy_->index(row.row(), c).data().toString();
    lines << fields.join(QLatin1Char('\t'));
  }
  return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool PinTableTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    QApplication::clipboard()->setText(selectedRowsText());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quiral
