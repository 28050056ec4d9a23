#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quiral {

class Dialogs;

// A file-name field with a browse button. The browse dialog offers `filter`, written as
// "Description|pattern|Description|pattern".
class FilenameEdit : public QWidget {
  Q_OBJECT

 public:
  // The browse button asks through `dialogs`, which must outlive the control.
  explicit FilenameEdit(Dialogs& dialogs, QWidget* parent = nullptr);

  QString text() const;
  void setText(const QString& text);
  QString filter() const { return filter_; }
  void setFilter(const QString& filter) { filter_ = filter; }

  // Opens the browse dialog; a confirmed choice becomes the field's text.
  void browse();

 private:
  Dialogs& dialogs_;
  QLineEdit* edit_;
  QToolButton* button_;
  QString filter_;
};

}  // namespace quiral
