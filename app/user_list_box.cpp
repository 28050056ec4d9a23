#include "app/user_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace quiral {

void UserListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  QListWidgetItem* hit = itemAt(event->position().toPoint());
  if (hit && hit == currentItem()) emit userSelected(currentRow());
}

void UserListBox::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit userSelected(currentRow());
}

}  // namespace quiral
