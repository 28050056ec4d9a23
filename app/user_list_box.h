#pragma once

#include <QListWidget>

namespace quiral {

// A list whose user-made choices are told apart from the program's: userSelected is emitted when
// the user clicks an entry (also the one already chosen) or moves the choice with the keyboard,
// never when the program sets the current row.
class UserListBox : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 signals:
  void userSelected(int row);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quiral
