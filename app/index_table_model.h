#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace quiral {

class MemoryTable;

// A grid's view of a core table: one column per bound field, titled with the field's name; every
// cell is read from the table when the grid asks for it, nothing is copied. Code that changes the
// table's rows or their order brackets the change with beginChange and endChange.
class IndexTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  IndexTableModel(const MemoryTable& table, const std::vector<std::string>& fieldNames,
                  QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void beginChange() { beginResetModel(); }
  void endChange() { endResetModel(); }

 private:
  const MemoryTable& table_;
  std::vector<std::string> titles_;
  std::vector<size_t> fields_;
};

}  // namespace quiral
