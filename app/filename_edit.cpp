#include "app/filename_edit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "app/dialogs.h"
#include "app/file_filter.h"

namespace quiral {

FilenameEdit::FilenameEdit(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      edit_(new QLineEdit(this)),
      button_(new QToolButton(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(edit_);
  layout->addWidget(button_);
  edit_->setObjectName(QStringLiteral("edit"));
  button_->setObjectName(QStringLiteral("browse"));
  button_->setText(tr("..."));
  connect(button_, &QToolButton::clicked, this, &FilenameEdit::browse);
}

QString FilenameEdit::text() const {
  return edit_->text();
}

void FilenameEdit::setText(const QString& text) {
  edit_->setText(text);
}

void FilenameEdit::browse() {
  const QString chosen = dialogs_.chooseFileToOpen(this, text(), qtFileFilter(filter_));
  if (!chosen.isEmpty()) setText(chosen);
}

}  // namespace quiral
