#pragma once

#include <QString>

namespace quiral {

// The core speaks English (the command-line tool shows its texts as they are); the windows speak
// Portuguese. The texts of the core's errors that a window can show get the window's wording
// here; a text not known here (the platform's own messages, for one) is shown as it is.
QString windowWording(const QString& coreText);

}  // namespace quiral
