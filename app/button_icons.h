#pragma once

#include <QIcon>

namespace quiral {

// Pictures for the preview window's print, save and load buttons: the desktop theme's icon when the
// theme has one, otherwise a small picture drawn here, so the buttons never come out blank.
QIcon printButtonIcon();
QIcon saveButtonIcon();
QIcon openButtonIcon();

}  // namespace quiral
