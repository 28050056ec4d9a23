#pragma once

#include <QWidget>

#include "render/symbol_properties.h"

class QFormLayout;
class QLabel;

namespace quiral {

// The "Propriedades" tab: what the library and its documentation file say of the symbol or alias
// on show. The datasheet is a link only when it can be opened: an http(s) address or an existing
// local file, opened by the desktop's browser or viewer.
class PropertiesTab : public QWidget {
  Q_OBJECT

 public:
  explicit PropertiesTab(QWidget* parent = nullptr);

  void showProperties(const SymbolProperties& properties);
  void clear();
  // The value shown beside a caption ("Descrição", ...), for tests and copying.
  QString valueOf(const QString& caption) const;

 private:
  QLabel* addRow(const QString& caption);
  void openLink(const QString& link);

  QFormLayout* form_ = nullptr;
  QLabel *name_, *library_, *aliasOf_, *description_, *keywords_, *datasheet_, *footprint_,
      *filters_, *reference_, *units_, *deMorgan_, *power_, *pins_;
};

// The datasheet as a link target: an http(s) address as it is, an existing local file (or a
// file: URL naming one) as a file URL; empty when it is neither.
QString datasheetLink(const QString& datasheet);

}  // namespace quiral
