#pragma once

// Placing the controls of a window at their designed positions, named so tests find them.

#include <QLabel>
#include <QString>
#include <QWidget>

namespace quiral {

// Names `widget` and gives it its designed place and size in its parent's client area.
template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// A label at its designed place, sized to its text.
inline QLabel* placeLabel(QWidget* parent, const char* name, const QString& text, int left,
                          int top) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->move(left, top);
  l->adjustSize();
  return l;
}

}  // namespace quiral
