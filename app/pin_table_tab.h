#pragma once

#include <QWidget>
#include <vector>

#include "library/pin_table.h"

class QLineEdit;
class QSortFilterProxyModel;
class QAbstractTableModel;
class QTableView;

namespace quiral {

// The "Pinos" tab: the pin table of the symbol on show, sortable by any column (numbers as
// numbers), narrowed by a filter field that matches any column, and Ctrl+C copying the selected
// rows, in the order shown, as tab-separated text.
class PinTableTab : public QWidget {
  Q_OBJECT

 public:
  explicit PinTableTab(QWidget* parent = nullptr);

  void showPins(const std::vector<PinRow>& pins);
  // The selected rows as the clipboard gets them: one line per row, fields tab-separated.
  QString selectedRowsText() const;
  QTableView* table() const { return table_; }
  QLineEdit* filterField() const { return filter_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* filter_ = nullptr;
  QTableView* table_ = nullptr;
  QAbstractTableModel* model_ = nullptr;
  QSortFilterProxyModel* proxy_ = nullptr;
};

}  // namespace quiral
