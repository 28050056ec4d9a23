#include "app/pin_table_tab.h"

#include <QApplication>
#include <QClipboard>
#include <QCollator>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/text_codec.h"

namespace quiral {

namespace {

const char* const kTitles[] = {"Número", "Nome", "Tipo", "Forma",      "Unidade",
                               "Corpo",  "X",    "Y",    "Orientação", "Comprimento"};

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
  filter_->setPlaceholderText(QStringLiteral("Filtrar pinos"));
  filter_->setClearButtonEnabled(true);
  model_ = new QStandardItemModel(0, int(std::size(kTitles)), this);
  for (int c = 0; c < int(std::size(kTitles)); ++c)
    model_->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(kTitles[c]));
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
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->installEventFilter(this);
  connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(filter_);
  layout->addWidget(table_);
}

void PinTableTab::showPins(const std::vector<PinRow>& pins) {
  model_->removeRows(0, model_->rowCount());
  model_->setRowCount(int(pins.size()));
  for (int r = 0; r < int(pins.size()); ++r) {
    const std::vector<std::string> fields = pinRowFields(pins[size_t(r)]);
    for (int c = 0; c < int(fields.size()); ++c)
      model_->setItem(r, c,
                      new QStandardItem(QString::fromStdString(displayText(fields[size_t(c)]))));
  }
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
