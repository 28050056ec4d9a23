#include "app/index_table_model.h"

#include "catalog/memory_table.h"
#include "platform/text_codec.h"

namespace quiral {

IndexTableModel::IndexTableModel(const MemoryTable& table,
                                 const std::vector<std::string>& fieldNames, QObject* parent)
    : QAbstractTableModel(parent), table_(table), titles_(fieldNames) {
  for (const std::string& name : fieldNames) fields_.push_back(table.fieldIndex(name));
}

int IndexTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(table_.RecordCount());
}

int IndexTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(fields_.size());
}

QVariant IndexTableModel::data(const QModelIndex& index, int role) const {
  // A view may ask during a change, before it has heard of it: rows gone since read as empty.
  if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= table_.RecordCount() ||
      size_t(index.column()) >= fields_.size()) {
    return {};
  }
  return QString::fromStdString(
      displayText(table_.displayText(size_t(index.row()), fields_[size_t(index.column())])));
}

QVariant IndexTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      size_t(section) >= titles_.size()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromStdString(titles_[size_t(section)]);
}

Qt::ItemFlags IndexTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace quiral
